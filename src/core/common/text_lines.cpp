// Line splitting shared by every text file of the program.
#include "core/common/text_lines.h"

#include <algorithm>

namespace analysis {

bool LineReader::next(std::string_view& line) {
    if (atEnd())
        return false;
    const char* begin = text_.data() + pos_;
    const char* end = text_.data() + text_.size();
    const char* stop = std::find_if(begin, end, [](char c) { return c == '\r' || c == '\n'; });
    line = std::string_view(begin, static_cast<std::size_t>(stop - begin));
    pos_ = static_cast<std::size_t>(stop - text_.data());
    if (stop != end) {
        ++pos_;
        if (*stop == '\r' && pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
    }
    return true;
}

} // namespace analysis
