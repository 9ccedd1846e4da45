#pragma once
#include <string_view>
#include <vector>

namespace scrivlet {

// Positions of the program's editor count a line break (CR LF) as two
// characters; RichEdit 2.0 and later keep a paragraph break as one. This
// translates positions between the two countings for one text in the
// program's form. A position between the CR and the LF of a break has no
// counterpart: it goes to the position after the break.
class LineBreakMap {
public:
    explicit LineBreakMap(std::string_view text);
    int toNative(int position) const;
    int toModel(int nativePosition) const;

private:
    std::vector<int> breaks_;  // the position of the CR of each CR LF
};

}  // namespace scrivlet
