#include "calculator/keyboard.h"

#include <algorithm>

namespace tarvik {

int kindAfterKey(int selected, int count, ListKey key)
{
    if (count <= 0)
        return -1;
    if (selected < 0 && (key == ListKey::Up || key == ListKey::Down))
        return 0;
    switch (key) {
    case ListKey::Up:
        return std::max(selected - 1, 0);
    case ListKey::Down:
        return std::min(selected + 1, count - 1);
    case ListKey::Home:
        return 0;
    case ListKey::End:
        return count - 1;
    }
    return selected;
}

bool numberFieldIgnores(FieldCommand command)
{
    return command != FieldCommand::SelectAll;
}

bool leaveRuleRuns(FocusLoss loss)
{
    return loss == FocusLoss::ToControl;
}

} // namespace tarvik
