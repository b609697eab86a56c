// The window host, POSIX half: the window host is a Windows program.
#include "host/window/window_host.h"

namespace host {
namespace {

constexpr int kNoWindowHost = 2;

}  // namespace

int RunWindowHost(const std::string&, const std::string&, const std::string&,
                  std::optional<WindowLanguage>, const Console& console) {
    console.Line(
        "truvhost: the window host is a Windows program (truvhost.exe window under "
        "Wine); here, use the numbered menus (truvhost without a command)");
    return kNoWindowHost;
}

}  // namespace host
