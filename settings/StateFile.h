#pragma once
#include <string>

// The state file: "serie.ini" in the running executable's folder. Built anew at every use.
std::string StateFilePath();
