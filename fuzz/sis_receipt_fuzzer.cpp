// SIS 4's 'U' sound speed profile datagram as it comes back from the network: anyone on the
// survey network can send anything to the listen port.
#include "fuzz/receipt_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorvane::fuzz::checkReceipt(quorvane::parseSisProfileDatagram({data, size}));
    return 0;
}
