#include "engine/adventure/StatementQueue.h"

#include "engine/exceptions/EmptyException.h"

namespace veru::adv {

TalkLine StatementQueue::pop() {
    if (lines.empty())
        throw excp::EmptyException();
    TalkLine front = std::move(lines.front());
    lines.pop_front();
    return front;
}

}  // namespace veru::adv
