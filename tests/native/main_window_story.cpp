#include "native/main_window_story.h"

namespace scrivlet::test {

std::string snippetFile(std::initializer_list<std::pair<const char*, const char*>> entries) {
    std::string names = "[Name]\r\n", texts = "[Text]\r\n", crypt = "[Crypt]\r\n";
    int n = 0;
    for (const auto& [name, text] : entries) {
        ++n;
        names += std::to_string(n) + "=" + name + "\r\n";
        texts += std::to_string(n) + "=" + text + "\r\n";
        crypt += std::to_string(n) + "=0\r\n";
    }
    return names + texts + crypt + "[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n";
}

}  // namespace scrivlet::test
