# Writes OUT_DIR/SYMBOL.h and OUT_DIR/SYMBOL.cpp holding the text of the file IN as a raw string.
# Run by qx_embed_text (QxHelpers.cmake) at build time: cmake -DIN=... -DOUT_DIR=... -DSYMBOL=... -P
file(READ ${IN} _text)
set(_delim "qx_embed")
string(FIND "${_text}" ")${_delim}\"" _clash)
if(NOT _clash EQUAL -1)
  message(FATAL_ERROR "${IN} contains the sequence )${_delim}\" and cannot be embedded")
endif()
file(MAKE_DIRECTORY ${OUT_DIR})
file(WRITE ${OUT_DIR}/${SYMBOL}.h
  "// Generated from ${IN}; edit that file.\n#pragma once\n#include <string_view>\nextern const std::string_view ${SYMBOL};\n")
file(WRITE ${OUT_DIR}/${SYMBOL}.cpp
  "// Generated from ${IN}; edit that file.\n#include \"${SYMBOL}.h\"\nconst std::string_view ${SYMBOL} = R\"${_delim}(${_text})${_delim}\";\n")
