#pragma once
// Many short texts kept one after another in one block of UTF-8, each made
// a QString only when it is asked for: a hundred thousand item names cost
// their bytes and one number each.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace data {

class TextList {
public:
    void append(std::string_view utf8)
    {
        bytes_.append(utf8);
        ends_.push_back(bytes_.size());
    }
    int size() const { return int(ends_.size()); }
    QString at(int i) const
    {
        const std::size_t from = i > 0 ? ends_[std::size_t(i - 1)] : 0;
        return QString::fromUtf8(bytes_.data() + from, qsizetype(ends_[std::size_t(i)] - from));
    }

private:
    std::string bytes_;
    std::vector<std::size_t> ends_;
};

}  // namespace data
