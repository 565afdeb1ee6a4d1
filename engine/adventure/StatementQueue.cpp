#include "engine/adventure/StatementQueue.h"

#include "engine/exceptions/EmptyException.h"

namespace veru::adv {

YString StatementQueue::pop() {
    if (lines.empty())
        throw excp::EmptyException();
    YString front = std::move(lines.front());
    lines.pop_front();
    return front;
}

}  // namespace veru::adv
