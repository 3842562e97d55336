#pragma once

#include <string>
#include <string_view>

#include "device/link/clock.h"

namespace quorvane {

// The command texts and the replies that have fixed bytes. A command goes out as exactly its
// characters: no CR, no LF, no NUL, no length prefix.

inline constexpr std::string_view kGetSysinfo = "$cmd,get,sysinfo*ff";
inline constexpr std::string_view kGetVoltage = "$cmd,get,voltage*ff";
inline constexpr std::string_view kGetDepthScale = "$cmd,get,depthscale*ff";
inline constexpr std::string_view kGetAreaPara = "$cmd,get,areapara*ff";
inline constexpr std::string_view kGetSpace = "$cmd,get,space*ff";
inline constexpr std::string_view kGetWorkState = "$cmd,get,workstate*ff";
inline constexpr std::string_view kGetUtcTime = "$cmd,get,utctime*ff";
inline constexpr std::string_view kGetFileIndex = "$cmd,get,fileindex*ff";
inline constexpr std::string_view kDeleteAll = "$cmd,delete,all*ff";
inline constexpr std::string_view kSendFileStart = "$cmd,send,file,1*ff";
inline constexpr std::string_view kSendFileInfo = "$cmd,send,file,2*ff";
inline constexpr std::string_view kSendNextBlock = "$cmd,send,file,3*ff";
inline constexpr std::string_view kSendFileEnd = "$cmd,send,file,4*ff";
inline constexpr std::string_view kSendBlockAgain = "$cmd,send,file,7*ff";

inline constexpr std::string_view kBadCommandReply = "$cmd,Bad,Command*ff\r\n";
inline constexpr std::string_view kShortAckReply = "svp_ok\r\n";
inline constexpr std::string_view kConfigOkReply = "$cmd,Config,OK*ff\r\n";
inline constexpr std::string_view kConfigFailedReply = "$cmd,Config,failed*ff\r\n";
inline constexpr std::string_view kCardNoFileReply = "$cmd,card,nofile*ff\r\n";
inline constexpr std::string_view kFileStartReply = "$cmd,send,file,start*ff\r\n";
inline constexpr std::string_view kFileStartEcho = "$cmd,send,file,1*ff\r\n";
inline constexpr std::string_view kNoSuchFileReply = "$cmd,send,file,nofile*ff\r\n";
inline constexpr std::string_view kFileIndexStartLine = "$cmd,fileindex,start*ff";
inline constexpr std::string_view kFileIndexEndLine = "$cmd,fileindex,end*ff";

// What WaitReply returns for "$cmd,Config,OK*ff\r\n" (and ProbeReply for a recognised answer).
inline constexpr std::string_view kOkResult = "OK";

// The three arguments of WaitReply for one kind of exchange. The command picks the matching
// rule and is not always the text sent: a set or delete passes its bare name.
struct ReplyRule {
    std::string_view command;
    std::string_view expected;
    int length = 0;
};

inline constexpr ReplyRule kSysinfoReply{kGetSysinfo, "$cmd,get,sysinfo", 16};
inline constexpr ReplyRule kVoltageReply{kGetVoltage, "$cmd,get,voltage", 16};
inline constexpr ReplyRule kDepthScaleReply{kGetDepthScale, "$cmd,get,depthscale", 19};
inline constexpr ReplyRule kAreaParaReply{kGetAreaPara, "$cmd,get,areapara", 17};
inline constexpr ReplyRule kSpaceReply{kGetSpace, "$cmd,get,space", 14};
inline constexpr ReplyRule kWorkStateReply{kGetWorkState, "$cmd,get,workstate", 18};
inline constexpr ReplyRule kUtcTimeReply{kGetUtcTime, "$cmd,get,utctime", 16};
inline constexpr ReplyRule kFileIndexReply{kGetFileIndex, "$cmd,fileindex,end*ff\r\n", 23};
inline constexpr ReplyRule kSetUtcTimeReply{"$cmd,set,utctime*ff", "", 0};
inline constexpr ReplyRule kSetAreaParaReply{"$cmd,set,areapara*ff", "", 0};
inline constexpr ReplyRule kSetDepthScaleReply{"$cmd,set,depthscale*ff", "", 0};
inline constexpr ReplyRule kDeleteReply{"$cmd,delete,*ff", "", 0};
inline constexpr ReplyRule kDeleteAllReply{kDeleteAll, "", 0};

// "$cmd,set,utctime,%d,%d,%d,%d,%d,%d*ff"
std::string setUtcTimeCommand(const LocalDateTime& time);
// "$cmd,set,areapara,%f,%f*ff", with a decimal point whatever the process locale
std::string setAreaParaCommand(double density, double latitude);
// "$cmd,set,depthscale,%f*ff"
std::string setDepthScaleCommand(double depthInterval);
// "$cmd,delete,%d*ff"
std::string deleteFileCommand(int index);
// "$cmd,send,fileindex,%d*ff"
std::string sendFileIndexCommand(int index);

}  // namespace quorvane
