#include "cvaibo.h"

// No transport yet: every operation answers as the library does when no robot
// can be reached.
namespace vaibo {
class Client
{
};
} // namespace vaibo

namespace {
constexpr int kFailed = -1;
constexpr int kImageTransportClosed = -150;
} // namespace

CVAIBO::CVAIBO(HWND) {}
CVAIBO::~CVAIBO() = default;

int CVAIBO::Connect(const char *, const char *, const char *) { return kFailed; }
int CVAIBO::Disconnect() { return kFailed; }
int CVAIBO::ExternalControl(int) { return 0; }
int CVAIBO::GetStateImageTP() { return kImageTransportClosed; }
int CVAIBO::ImageInit() { return kFailed; }
int CVAIBO::ImageOpen() { return kFailed; }
int CVAIBO::RequestNetService(int) { return 0; }
int CVAIBO::ImageClose() { return kFailed; }
int CVAIBO::SendCmd(int, int, int, int, int, int) { return kFailed; }
int CVAIBO::ImageGetData(unsigned char *, int) { return kFailed; }
int CVAIBO::ImageSetWindowHandle(HWND, HWND) { return 0; }
int CVAIBO::GetBatteryLevel() { return kFailed; }
int CVAIBO::SetPosture(unsigned short, int) { return kFailed; }
int CVAIBO::MotionStop() { return kFailed; }
int CVAIBO::DoWalking(int, int, int, int) { return kFailed; }
int CVAIBO::DoHeader(int, int) { return kFailed; }
int CVAIBO::PlayContents(int, int) { return kFailed; }
int CVAIBO::ChangeHeadAngle(int, int, int, int) { return kFailed; }
