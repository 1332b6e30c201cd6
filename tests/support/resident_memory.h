#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

// The resident set of this process in kB as the kernel counts it (VmRSS, as
// the session test reads it for the program), or -1 where there is no /proc.
inline long residentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}
