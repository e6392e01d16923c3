#include "ZPNotificationCenter.h"

#include <algorithm>

ZPNotificationCenter& ZPNotificationCenter::defaultCenter() {
    static ZPNotificationCenter center;
    return center;
}

void ZPNotificationCenter::addObserver(const void* observer, const std::string& name,
                                       const void* object, Handler handler) {
    observations_.push_back(Observation{nextId_++, observer, name, object, std::move(handler)});
}

void ZPNotificationCenter::removeObserver(const void* observer) {
    observations_.erase(
        std::remove_if(observations_.begin(), observations_.end(),
                       [&](const Observation& o) { return o.observer == observer; }),
        observations_.end());
}

void ZPNotificationCenter::removeObserver(const void* observer, const std::string& name,
                                          const void* object) {
    observations_.erase(std::remove_if(observations_.begin(), observations_.end(),
                                       [&](const Observation& o) {
                                           return o.observer == observer && o.name == name &&
                                                  o.object == object;
                                       }),
                        observations_.end());
}

void ZPNotificationCenter::postNotificationName(const std::string& name, const void* object) {
    // Observers may add or remove observations while being notified: deliver to the
    // ones registered at the time of the post that are still registered when their
    // turn comes.
    std::vector<uint64_t> targets;
    for (const Observation& o : observations_) {
        if (o.name == name && (o.object == nullptr || o.object == object))
            targets.push_back(o.id);
    }
    const ZPNotification note{name, object};
    for (const uint64_t id : targets) {
        const auto it = std::find_if(observations_.begin(), observations_.end(),
                                     [id](const Observation& o) { return o.id == id; });
        if (it == observations_.end())
            continue;
        const Handler handler = it->handler; // the observation may go while it runs
        handler(note);
    }
}
