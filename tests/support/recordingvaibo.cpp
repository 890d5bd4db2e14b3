#include "tests/support/recordingvaibo.h"

#include <string>

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

std::string callText(const std::string &operation, const std::vector<int> &arguments)
{
    std::string text = operation + "(";
    for (std::size_t i = 0; i < arguments.size(); ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(arguments[i]);
    return text + ")";
}

int RecordingVaibo::answer(const std::string &operation, const std::vector<int> &arguments)
{
    return record(operation, callText(operation, arguments));
}

int RecordingVaibo::record(const std::string &operation, const std::string &call)
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
    return record("Connect", "Connect(" + text(address) + ", " + text(user) + ", " + text(password) + ")");
}

int RecordingVaibo::Disconnect() { return answer("Disconnect", {}); }
int RecordingVaibo::ExternalControl(int mode) { return answer("ExternalControl", {mode}); }
int RecordingVaibo::GetStateImageTP() { return answer("GetStateImageTP", {}); }
int RecordingVaibo::ImageInit() { return answer("ImageInit", {}); }
int RecordingVaibo::ImageOpen() { return answer("ImageOpen", {}); }
int RecordingVaibo::RequestNetService(int service) { return answer("RequestNetService", {service}); }
int RecordingVaibo::ImageClose() { return answer("ImageClose", {}); }

int RecordingVaibo::SendCmd(int command, int arg1, int arg2, int arg3, int arg4, int arg5)
{
    return answer("SendCmd", {command, arg1, arg2, arg3, arg4, arg5});
}

int RecordingVaibo::ImageGetData(unsigned char *buffer, int size)
{
    lastBuffer = buffer;
    return answer("ImageGetData", {size});
}

int RecordingVaibo::ImageSetWindowHandle(HWND pane, HWND owner)
{
    lastPane = pane;
    lastOwner = owner;
    return answer("ImageSetWindowHandle", {});
}

int RecordingVaibo::GetBatteryLevel() { return answer("GetBatteryLevel", {}); }
int RecordingVaibo::SetPosture(unsigned short posture, int option) { return answer("SetPosture", {posture, option}); }
int RecordingVaibo::MotionStop() { return answer("MotionStop", {}); }

int RecordingVaibo::DoWalking(int walk, int degrees, int distance, int option)
{
    return answer("DoWalking", {walk, degrees, distance, option});
}

int RecordingVaibo::DoHeader(int kind, int option) { return answer("DoHeader", {kind, option}); }
int RecordingVaibo::PlayContents(int mwcid, int option) { return answer("PlayContents", {mwcid, option}); }

int RecordingVaibo::ChangeHeadAngle(int pan, int tilt, int speed, int option)
{
    return answer("ChangeHeadAngle", {pan, tilt, speed, option});
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
