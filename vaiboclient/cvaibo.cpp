#include "vaiboclient/cvaibo.h"

#include "vaiboclient/client.h"

using protocol::Operation;
using namespace vaibo::failure;

CVAIBO::CVAIBO(HWND window) : m_client(std::make_unique<vaibo::Client>(window)) {}
CVAIBO::~CVAIBO() = default;

vaibo::Session &CVAIBO::session()
{
    return m_client->session();
}

int CVAIBO::Connect(const char *address, const char *, const char *) { return session().connect(address); }
int CVAIBO::Disconnect() { return session().disconnect(); }
int CVAIBO::ExternalControl(int mode) { return session().call(Operation::ExternalControl, {mode}, kExternalControl); }
int CVAIBO::GetStateImageTP() { return session().imageTransportState(); }
int CVAIBO::ImageInit() { return session().imageInit(); }
int CVAIBO::ImageOpen() { return session().imageOpen(); }
int CVAIBO::RequestNetService(int service)
{
    return session().call(Operation::RequestNetService, {service}, kRequestNetService);
}
int CVAIBO::ImageClose() { return session().imageClose(); }
int CVAIBO::SendCmd(int command, int arg1, int arg2, int arg3, int arg4, int arg5)
{
    return session().call(Operation::SendCmd, {command, arg1, arg2, arg3, arg4, arg5}, kCommand);
}
int CVAIBO::ImageGetData(unsigned char *buffer, int size) { return session().copyFrame(buffer, size); }
int CVAIBO::ImageSetWindowHandle(HWND pane, HWND) { return m_client->setPane(pane); }
int CVAIBO::GetBatteryLevel() { return session().call(Operation::GetBatteryLevel, {}, kCommand); }
int CVAIBO::SetPosture(unsigned short posture, int option)
{
    return session().call(Operation::SetPosture, {posture, option}, kCommand);
}
int CVAIBO::MotionStop() { return session().call(Operation::MotionStop, {}, kCommand); }
int CVAIBO::DoWalking(int walk, int degrees, int distance, int option)
{
    return session().call(Operation::DoWalking, {walk, degrees, distance, option}, kCommand);
}
int CVAIBO::DoHeader(int kind, int option) { return session().call(Operation::DoHeader, {kind, option}, kCommand); }
int CVAIBO::PlayContents(int mwcid, int option)
{
    return session().call(Operation::PlayContents, {mwcid, option}, kCommand);
}
int CVAIBO::ChangeHeadAngle(int pan, int tilt, int speed, int option)
{
    return session().call(Operation::ChangeHeadAngle, {pan, tilt, speed, option}, kCommand);
}
