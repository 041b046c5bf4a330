#include "core/Prompter.h"

namespace app {

Answer defaultAnswer(const MessageStyle &style) {
    const int index = style.defaultButton == DefaultButton::First ? 0 : style.defaultButton == DefaultButton::Second ? 1 : 2;
    switch (style.buttons) {
    case Buttons::OK: return Answer::OK;
    case Buttons::OKCancel: return index == 0 ? Answer::OK : Answer::Cancel;
    case Buttons::YesNo: return index == 0 ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel: return index == 0 ? Answer::Yes : index == 1 ? Answer::No : Answer::Cancel;
    }
    return Answer::OK;
}

}  // namespace app
