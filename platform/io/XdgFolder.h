#pragma once
#include <string>

// A base folder of the XDG rules: the variable's value when it is an absolute
// path, else $HOME/szUnderHome; empty when HOME is no absolute path either.
std::string XdgFolder(const char* szVariable, const char* szUnderHome);
