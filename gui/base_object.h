#pragma once

#include <atomic>
#include <cstdint>

namespace VSTGUI {

enum CMessageResult : int32_t {
    kMessageUnknown = 0, // the receiver does not handle the message
    kMessageNotified = 1, // the receiver handles it
};

// Messages are told apart by the address of these shared texts, not by their
// characters: a receiver compares the pointer, so senders must pass the
// constant itself.
extern const char kMsgCheckIfViewContainer[];
extern const char kMsgNewFocusView[];
extern const char kMsgOldFocusView[];

// Base of every reference-counted toolkit object. Creating one gives the
// creator the first reference; whoever keeps a pointer beyond a call takes
// one with remember() and drops it with forget(). The reference count is
// plain, so an object's references are taken and dropped on one thread at a
// time.
//
// The toolkit's headers tag what may be called from where with the thread
// tags of runtime/services.h, which also says what they mean.
//
// [GUI thread]
class CBaseObject {
public:
    CBaseObject() { ++liveObjects; }
    // A copy is a new object with its own single reference.
    CBaseObject(const CBaseObject&) { ++liveObjects; }
    CBaseObject& operator=(const CBaseObject&) { return *this; }
    virtual ~CBaseObject() { --liveObjects; }

    // Drops one reference and deletes the object when it was the last; the
    // caller must not touch the object afterwards.
    virtual void forget();
    virtual void remember();
    virtual CMessageResult notify(CBaseObject* sender, const char* message);

    int32_t getNbReference() const { return nbReference; }
    // Toolkit objects alive in the process, for leak checks; the count is
    // atomic. [any thread]
    static int32_t getLiveObjectCount() { return liveObjects; }

private:
    static std::atomic<int32_t> liveObjects;
    int32_t nbReference = 1;
};

} // namespace VSTGUI
