# pl_add_resources(<target> <NAME> files...) builds a static library whose
# function RegisterResources_<NAME>() registers each file under the upper-case
# stem of its name ("TForm1.txt" -> "TFORM1", "auto.bmp" -> "AUTO").
function(pl_add_resources target name)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/Resources_${name}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DNAME=${name} "-DFILES=${ARGN}"
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    DEPENDS ${ARGN} ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    COMMENT "Embedding resources ${name}"
    VERBATIM)
  add_library(${target} STATIC ${out})
  target_link_libraries(${target} PUBLIC platform)
endfunction()
