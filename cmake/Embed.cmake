# pl_embed_files(<target> <NAME> files...) adds to target a generated source
# whose function RegisterResources_<NAME>() registers each file under the
# upper-case stem of its name ("TForm1.txt" -> "TFORM1", "auto.bmp" -> "AUTO").
function(pl_embed_files target name)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/Resources_${name}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DNAME=${name} "-DFILES=${ARGN}"
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    DEPENDS ${ARGN} ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    COMMENT "Embedding resources ${name}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()

# pl_add_resources(<target> <NAME> files...) builds a static library of the
# embedded files (see pl_embed_files).
function(pl_add_resources target name)
  add_library(${target} STATIC)
  pl_embed_files(${target} ${name} ${ARGN})
  target_link_libraries(${target} PUBLIC platform)
endfunction()
