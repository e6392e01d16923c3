// Synchronous notifications by name: a post delivers to every observer registered
// for that name and either for the posting object or for any object, before the
// post returns. Objects are compared by identity only and never dereferenced.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ZPNotification {
    std::string name;
    const void* object = nullptr;
};

class ZPNotificationCenter {
public:
    using Handler = std::function<void(const ZPNotification&)>;

    static ZPNotificationCenter& defaultCenter();

    // `object` nullptr observes the name from any sender.
    void addObserver(const void* observer, const std::string& name, const void* object,
                     Handler handler);
    // Removes every observation of `observer`.
    void removeObserver(const void* observer);
    // Removes the observations of `observer` that match `name` and `object` exactly.
    void removeObserver(const void* observer, const std::string& name, const void* object);

    void postNotificationName(const std::string& name, const void* object);

    // Number of observations held, for checking that owners clean up after themselves.
    size_t observationCount() const { return observations_.size(); }

private:
    struct Observation {
        uint64_t id;
        const void* observer;
        std::string name;
        const void* object;
        Handler handler;
    };
    std::vector<Observation> observations_;
    uint64_t nextId_ = 1;
};
