# Script mode: writes OUT, a C++ file holding FILES as byte arrays.
set(body "")
set(calls "")
set(index 0)
foreach(file IN LISTS FILES)
  get_filename_component(stem ${file} NAME_WE)
  string(TOUPPER ${stem} key)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR size "${hexlen} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char data${index}[] = {${bytes} 0};\n")
  string(APPEND calls "  RegisterResource(\"${key}\", data${index}, ${size});\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUT}.tmp
"// Generated from the files of resources/; do not edit.
#include \"platform/Resources.h\"
namespace {
${body}}
void RegisterResources_${NAME}() {
${calls}}
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
