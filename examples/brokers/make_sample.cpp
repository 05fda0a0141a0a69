// Writes the sample broker installation into the directory given (examples/broker).
#include <cstdio>
#include <exception>

#include "brokers/sample_broker.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zur_make_sample DIR\n");
    return 2;
  }
  try {
    zur::brokers::WriteInstallation(zur::brokers::SampleBroker(), argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ERROR: %s\n", e.what());
    return 1;
  }
  return 0;
}
