// Committing the run's groups: each sent to the committing thread, then
// waited for and counted, oldest first.
#include "renamer/core/run.h"

#include <algorithm>
#include <iterator>

namespace renamer {

bool Run::send()
{
    if (planning_->empty())
        return true;
    if (inFlight_.size() >= kInFlight && !finishOldest())
        return finishAll(), false;
    committer_.start(*planning_);
    inFlight_.push_back(planning_);
    planning_ = &*std::find_if(std::begin(groups_), std::end(groups_), [this](const Group& g) {
        return std::find(inFlight_.begin(), inFlight_.end(), &g) == inFlight_.end();
    });
    groupLines_ = std::min(2 * groupLines_, kGroupLines);
    return true;
}

bool Run::finishOldest()
{
    Group& g = *inFlight_.front();
    committer_.waitFor(g);
    inFlight_.pop_front();
    const bool goOn = countGroup(g);
    g.clear();
    return goOn;
}

bool Run::finishAll()
{
    bool goOn = true;
    while (!inFlight_.empty())
        goOn = finishOldest() && goOn;
    return goOn;
}

} // namespace renamer
