#include "core/util/paFormat.h"

namespace kelvo {

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        const char k = pattern[i + 1];
        if (k == '%') {
            out += '%';
            ++i;
        } else if ((k == 's' || k == 'd') && next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace kelvo
