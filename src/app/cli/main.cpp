#include <clocale>
#include <iostream>

#include "app/cli/cli.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  std::ios::sync_with_stdio(true);
  std::vector<std::string> args(argv + 1, argv + argc);
  tessarin::cli::CommandIo io{std::cin, std::cout, std::cerr};
  return tessarin::cli::RunCli(args, io);
}
