#pragma once
#include <string_view>
#include <vector>

namespace scrivlet {

// Positions of the program's editor are bytes of its UTF-8 text, and a line
// break (CR LF) counts two; RichEdit 2.0 and later count UTF-16 units (two for
// a character beyond U+FFFF) and keep a paragraph break as one. This translates
// positions between the two countings for one text in the program's form. A
// position inside a character or between the CR and the LF of a break has no
// counterpart: it goes to the position after it.
class NativePositions {
public:
    explicit NativePositions(std::string_view text);
    int toNative(int position) const;
    int toModel(int nativePosition) const;
    // The text's length in the window's counting.
    int nativeLength() const { return toNative(modelLength_); }

private:
    // Every stretch whose two countings differ (a line break, a character
    // beyond ASCII): where it starts in the text, and where it ends in both
    // countings. Between two of them, bytes and units agree one for one.
    struct Stretch {
        int modelStart, modelEnd, nativeEnd;
    };
    std::vector<Stretch> stretches_;
    int modelLength_ = 0;
};

}  // namespace scrivlet
