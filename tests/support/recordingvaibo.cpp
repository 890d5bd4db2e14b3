#include "tests/support/recordingvaibo.h"

#include <string>

namespace {

std::string join(const std::vector<std::string> &parts)
{
    std::string text;
    for (const std::string &part : parts) {
        if (!text.empty())
            text += ", ";
        text += part;
    }
    return text;
}

template <class... Args>
std::string describe(const std::string &operation, Args... args)
{
    return operation + "(" + join({std::to_string(args)...}) + ")";
}

std::string describe(const std::string &operation)
{
    return operation + "()";
}

} // namespace

// A robot that is there and healthy, until a test scripts otherwise.
RecordingVaibo::RecordingVaibo()
    : CVAIBO(nullptr),
      m_defaults{{"Connect", 0},      {"Disconnect", 0},  {"ExternalControl", 1}, {"GetStateImageTP", -150},
                 {"ImageInit", 0},    {"ImageOpen", 0},   {"RequestNetService", 1}, {"ImageClose", 0},
                 {"SendCmd", 0},      {"ImageGetData", 0}, {"ImageSetWindowHandle", 0}, {"GetBatteryLevel", 80},
                 {"SetPosture", 0},   {"MotionStop", 0},  {"DoWalking", 0},       {"DoHeader", 0},
                 {"PlayContents", 0}, {"ChangeHeadAngle", 0}}
{
}

void RecordingVaibo::script(const std::string &operation, std::initializer_list<int> results)
{
    m_scripts[operation].insert(m_scripts[operation].end(), results);
}

void RecordingVaibo::setDefault(const std::string &operation, int result)
{
    m_defaults[operation] = result;
}

int RecordingVaibo::answer(const std::string &operation, const std::string &call)
{
    calls.push_back(call);
    std::deque<int> &queue = m_scripts[operation];
    if (queue.empty())
        return m_defaults.at(operation);
    const int result = queue.front();
    queue.pop_front();
    return result;
}

int RecordingVaibo::Connect(const char *address, const char *user, const char *password)
{
    const auto text = [](const char *s) { return s == nullptr ? std::string("null") : std::string(s); };
    return answer("Connect", "Connect(" + text(address) + ", " + text(user) + ", " + text(password) + ")");
}

int RecordingVaibo::Disconnect() { return answer("Disconnect", describe("Disconnect")); }
int RecordingVaibo::ExternalControl(int mode) { return answer("ExternalControl", describe("ExternalControl", mode)); }
int RecordingVaibo::GetStateImageTP() { return answer("GetStateImageTP", describe("GetStateImageTP")); }
int RecordingVaibo::ImageInit() { return answer("ImageInit", describe("ImageInit")); }
int RecordingVaibo::ImageOpen() { return answer("ImageOpen", describe("ImageOpen")); }

int RecordingVaibo::RequestNetService(int service)
{
    return answer("RequestNetService", describe("RequestNetService", service));
}

int RecordingVaibo::ImageClose() { return answer("ImageClose", describe("ImageClose")); }

int RecordingVaibo::SendCmd(int command, int arg1, int arg2, int arg3, int arg4, int arg5)
{
    return answer("SendCmd", describe("SendCmd", command, arg1, arg2, arg3, arg4, arg5));
}

int RecordingVaibo::ImageGetData(unsigned char *buffer, int size)
{
    lastBuffer = buffer;
    return answer("ImageGetData", describe("ImageGetData", size));
}

int RecordingVaibo::ImageSetWindowHandle(HWND pane, HWND owner)
{
    lastPane = pane;
    lastOwner = owner;
    return answer("ImageSetWindowHandle", describe("ImageSetWindowHandle"));
}

int RecordingVaibo::GetBatteryLevel() { return answer("GetBatteryLevel", describe("GetBatteryLevel")); }

int RecordingVaibo::SetPosture(unsigned short posture, int option)
{
    return answer("SetPosture", describe("SetPosture", posture, option));
}

int RecordingVaibo::MotionStop() { return answer("MotionStop", describe("MotionStop")); }

int RecordingVaibo::DoWalking(int walk, int degrees, int distance, int option)
{
    return answer("DoWalking", describe("DoWalking", walk, degrees, distance, option));
}

int RecordingVaibo::DoHeader(int kind, int option) { return answer("DoHeader", describe("DoHeader", kind, option)); }

int RecordingVaibo::PlayContents(int mwcid, int option)
{
    return answer("PlayContents", describe("PlayContents", mwcid, option));
}

int RecordingVaibo::ChangeHeadAngle(int pan, int tilt, int speed, int option)
{
    return answer("ChangeHeadAngle", describe("ChangeHeadAngle", pan, tilt, speed, option));
}

RecordingSleeper::RecordingSleeper(std::vector<std::string> &log) : m_log(log), m_previous(tk::setSleeper(this)) {}

RecordingSleeper::~RecordingSleeper()
{
    tk::setSleeper(m_previous);
}

void RecordingSleeper::sleep(unsigned milliseconds)
{
    m_log.push_back("Sleep(" + std::to_string(milliseconds) + ")");
    if (onSleep)
        onSleep();
}
