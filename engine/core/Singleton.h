#pragma once

#include "core/Exception.h"

#include <string> // Required for: std::string

namespace Velk {

// Base of the engine's program-wide managers. The one instance is an
// ordinary object with a clear start and end: constructing it makes it the
// instance, destroying it ends it. A second instance, or asking for one that
// does not exist, is an engine error rather than a silent new object.
// T names itself for messages with `static constexpr const char* singletonName`.
template <class T>
class Singleton {
public:
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

    // The instance; throws when none exists.
    static T& getSingleton() {
        if (instance_ == nullptr)
            VELK_EXCEPT(ERR_INVALID_STATE,
                        std::string("no ") + T::singletonName + " exists; create one first",
                        std::string(T::singletonName) + "::getSingleton");
        return *static_cast<T*>(instance_);
    }

    // The instance, or null when none exists.
    static T* getSingletonPtr() { return static_cast<T*>(instance_); }

protected:
    // Registers the new object as the instance; throws when one exists.
    Singleton() {
        if (instance_ != nullptr)
            VELK_EXCEPT(ERR_DUPLICATE_ITEM,
                        std::string("cannot create a second ") + T::singletonName +
                            ": one already exists",
                        std::string(T::singletonName) + "::" + T::singletonName);
        // Kept as the base: while this constructor runs the object is not a
        // T yet, so it is only cast to T once callers ask for it.
        instance_ = this;
    }
    ~Singleton() { instance_ = nullptr; }

private:
    static inline Singleton* instance_ = nullptr;
};

} // namespace Velk
