// SIS 5's kmall #SVP datagram as it comes back from the network.
#include "fuzz/receipt_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorvane::fuzz::checkReceipt(quorvane::parseKmallSvp({data, size}));
    return 0;
}
