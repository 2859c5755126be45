#pragma once
// The question dialog. The site offers no form for questions, so what the
// user types goes nowhere; the dialog is shown for the item's title only.

#include <string>
#include <string_view>

namespace kelo {

class QuestionDialog {
public:
    virtual ~QuestionDialog() = default;
    // question is empty on entry; true when the user pressed OK.
    virtual bool ShowQuestion(std::string_view title, std::string& question) = 0;
};

} // namespace kelo
