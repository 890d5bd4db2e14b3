#pragma once

#include "toolkit/core/sleep.h"
#include "vaiboclient/cvaibo.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

/// A robot client that records every call with its arguments, in order, and
/// answers from a script: each operation has a default result and an
/// optional queue of results used first.
class RecordingVaibo : public CVAIBO
{
public:
    RecordingVaibo();

    /// Results for the next calls of an operation, in order.
    void script(const std::string &operation, std::initializer_list<int> results);
    /// The result of an operation once its queue is empty.
    void setDefault(const std::string &operation, int result);

    /// Every call so far, e.g. "SetPosture(0, 0)".
    std::vector<std::string> calls;
    /// Where ImageGetData was asked to deliver.
    unsigned char *lastBuffer = nullptr;
    HWND lastPane = nullptr;
    HWND lastOwner = nullptr;

    int Connect(const char *address, const char *user, const char *password) override;
    int Disconnect() override;
    int ExternalControl(int mode) override;
    int GetStateImageTP() override;
    int ImageInit() override;
    int ImageOpen() override;
    int RequestNetService(int service) override;
    int ImageClose() override;
    int SendCmd(int command, int arg1, int arg2, int arg3, int arg4, int arg5) override;
    int ImageGetData(unsigned char *buffer, int size) override;
    int ImageSetWindowHandle(HWND pane, HWND owner) override;
    int GetBatteryLevel() override;
    int SetPosture(unsigned short posture, int option) override;
    int MotionStop() override;
    int DoWalking(int walk, int degrees, int distance, int option) override;
    int DoHeader(int kind, int option) override;
    int PlayContents(int mwcid, int option) override;
    int ChangeHeadAngle(int pan, int tilt, int speed, int option) override;

private:
    int answer(const std::string &operation, const std::vector<int> &arguments);
    int record(const std::string &operation, const std::string &call);

    std::map<std::string, std::deque<int>> m_scripts;
    std::map<std::string, int> m_defaults;
};

/// A call as the tests write it, e.g. "SetPosture(0, 0)".
std::string callText(const std::string &operation, const std::vector<int> &arguments);

/// Records the pauses the code under test asks for into a call log, instead
/// of sleeping; installed for its lifetime.
class RecordingSleeper : public tk::Sleeper
{
public:
    explicit RecordingSleeper(std::vector<std::string> &log);
    ~RecordingSleeper() override;

    void sleep(unsigned milliseconds) override;

    /// Runs inside each pause, after it is recorded.
    std::function<void()> onSleep;

private:
    std::vector<std::string> &m_log;
    tk::Sleeper *m_previous;
};
