#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "device/protocol/command_channel.h"
#include "device/protocol/transfer_state.h"

namespace quorvane {

// Which handshake answer AwaitFileReply waits for: the answers to "$cmd,send,fileindex,%d*ff",
// "$cmd,send,file,1*ff", "$cmd,send,file,2*ff" and "$cmd,send,file,4*ff".
enum class HandshakeStep { FileIndex, FileStart, FileInfo, FileEnd };

enum class FileReplyResult : int {
    Expected = 1,     // the expected answer (file info: a sound frame, now parsed)
    NoSuchFile = 2,   // "$cmd,send,file,nofile*ff\r\n" to the index step
    Rejected = 0,     // a file-info frame with a wrong checksum, or the end step's answer
    NoAnswer = 5,     // nothing usable this time: silence or a bad frame header
    LinkBroken = -1,  // read failure, overflow, or the fifth silence of this file
};

enum class BlockResult : int {
    Handled = 1,          // appended
    AlreadyReceived = 3,  // the device sent the newest block again: not written (1 as well
                          // on the device program's own scale)
    OlderBlock = 4,       // its records lie before the newest block's: an older block, not
                          // written (1 as well on the device program's scale)
    AskAgain = 5,         // the device should send this block again
    EndOfData = 6,        // a sound frame shorter than asked for, then silence: the device
                          // has no more of the file; what it sent is appended
    LinkBroken = -1,      // read failure or overflow
    WriteFailed = -2,     // the block was sound but the output file refused it
};

// Waits for the device's answer to a handshake command just sent; the answer must stand at
// the very start of what arrives. Silences longer than 2 s (whole seconds, shared with
// WaitReply's last-data time) count in the state's timeout count; the fifth brings the box
// "Communication Err, Please Check Device!". Purges unless the link broke.
FileReplyResult AwaitFileReply(CommandChannel& channel, TransferState& state, HandshakeStep step,
                               std::string_view expected, int length);

// Receives the data block just requested (requestedLength 1 to 512), checks its frame and the
// continuity of the raw records in it (a block too short to hold a whole record has none to
// check), and appends its payload. 200 ms without data (high-resolution counter) ends one
// attempt. Purges unless the link broke.
BlockResult ReceiveBlock(CommandChannel& channel, TransferState& state, int requestedLength);

// Takes the file name and size from a sound file-info frame: the name runs from offset 13 to
// the last comma (at lastComma), the size is the decimal text after it up to the checksum.
// A comma at 13 or before leaves the name and gives size 0. A size text that is missing,
// negative or beyond 32 bits also gives 0, with sizeRead cleared.
void ParseFileInfo(TransferState& state, std::span<const uint8_t> frame, size_t payloadLength,
                   size_t lastComma);

}  // namespace quorvane
