// The common base of everything the editor refers to by identity: controls,
// documents and the canvas's objects. Identity is the address; holders share
// ownership through std::shared_ptr, and non-owning references are raw pointers
// or weak_ptr.
#pragma once

#include <memory>

class ZPObject : public std::enable_shared_from_this<ZPObject> {
public:
    ZPObject() = default;
    ZPObject(const ZPObject&) = delete;
    ZPObject& operator=(const ZPObject&) = delete;
    virtual ~ZPObject() = default;
};

using ZPObjectRef = std::shared_ptr<ZPObject>;
