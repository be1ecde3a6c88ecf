# cmake -DINPUT=<png> -DOUTPUT=<cpp> -P EmbedIcon.cmake
# Writes the PNG's bytes as the definitions game/app/WindowIcon.h declares.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Made by cmake/EmbedIcon.cmake from ${INPUT}.
#include \"game/app/WindowIcon.h\"

const unsigned char kWindowIconPng[] = {
${bytes}};
const std::size_t kWindowIconPngSize = ${size};
")
