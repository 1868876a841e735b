# Writes a C++ source that holds the text of INPUT as a std::string_view named NAME in namespace
# dravn. Run at build time: cmake -DINPUT=... -DOUTPUT=... -DNAME=... -P embed_text.cmake
file(READ "${INPUT}" text)
set(delimiter "dravn_text")
string(FIND "${text}" ")${delimiter}\"" clash)
if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${INPUT} contains the raw-string delimiter )${delimiter}\"")
endif()
file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT}; do not edit.\n"
    "#include <string_view>\n\n"
    "namespace dravn {\n"
    "extern const std::string_view ${NAME};\n"
    "const std::string_view ${NAME} = R\"${delimiter}(")
file(APPEND "${OUTPUT}.tmp" "${text}")
file(APPEND "${OUTPUT}.tmp" ")${delimiter}\";\n}  // namespace dravn\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
