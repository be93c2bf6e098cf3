#pragma once
// The root of the object model: two-phase construction, Free, weak references
// and owned sub-objects.

#include <cmath>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "platform/Types.h"

class TClassInfo;  // platform/TypInfo.h
using TClass = const TClassInfo*;

class TObject {
public:
    TObject() = default;
    virtual ~TObject();
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    // Runs after the most derived constructor, so overrides dispatch fully.
    virtual void AfterConstruction() {}
    // Runs before the destructors; marks the object dead for weak references.
    virtual void BeforeDestruction();
    // BeforeDestruction, then delete.
    void Free();

    static TClass StaticClassInfo();
    virtual TClass ClassInfo() const { return StaticClassInfo(); }
    String ClassName() const;
    bool InheritsFrom(TClass cls) const;

    template <class T>
    bool Is() const { return dynamic_cast<const T*>(this) != nullptr; }
    // Raises EInvalidCast when the object is not a T.
    template <class T>
    T* As();

    // Shared token that turns false when the object starts dying.
    std::shared_ptr<const bool> AliveToken() const;

private:
    mutable std::shared_ptr<bool> FAlive;
};

// Null-safe Free, as `X.Free` on a nil reference.
inline void Free(TObject* obj)
{
    if (obj) obj->Free();
}
template <class T>
void FreeAndNil(T*& obj)
{
    T* tmp = obj;
    obj = nullptr;
    Free(tmp);
}

// new, then AfterConstruction (then DoCreate for forms); when
// AfterConstruction throws, the object is destroyed again and the
// exception passes on.
template <class T, class... Args>
T* Create(Args&&... args)
{
    T* obj = new T(std::forward<Args>(args)...);
    try {
        obj->AfterConstruction();
    } catch (...) {
        obj->BeforeDestruction();
        delete obj;
        throw;
    }
    // Forms fire OnCreate once the whole AfterConstruction chain has run.
    if constexpr (requires(T* p) { p->DoCreate(); }) obj->DoCreate();
    return obj;
}

// A non-owning reference that knows when its object has started dying.
template <class T>
class TWeakRef {
public:
    TWeakRef() = default;
    TWeakRef(T* obj) : FObject(obj), FAlive(obj ? obj->AliveToken() : nullptr) {}
    bool Alive() const { return FObject && FAlive && *FAlive; }
    T* Get() const { return Alive() ? FObject : nullptr; }
    T* operator->() const { return Get(); }
    explicit operator bool() const { return Alive(); }

private:
    T* FObject = nullptr;
    std::shared_ptr<const bool> FAlive;
};

// Owns a sub-object and ends it with Free.
struct TFreeDeleter {
    void operator()(TObject* obj) const { obj->Free(); }
};
template <class T>
using TOwned = std::unique_ptr<T, TFreeDeleter>;

template <class T, class... Args>
TOwned<T> CreateOwned(Args&&... args)
{
    return TOwned<T>(Create<T>(std::forward<Args>(args)...));
}

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Gives a variable back the value it had when the scope began, also when
// the scope is left by an exception.
template <class T>
class TRestoreScope {
public:
    explicit TRestoreScope(T& Variable) : FVariable(Variable), FSaved(Variable) {}
    ~TRestoreScope() { FVariable = std::move(FSaved); }
    TRestoreScope(const TRestoreScope&) = delete;
    TRestoreScope& operator=(const TRestoreScope&) = delete;

private:
    T& FVariable;
    T FSaved;
};

// Raises a flag for the life of the scope, then gives it back its value.
class TFlagScope : private TRestoreScope<bool> {
public:
    explicit TFlagScope(bool& Flag) : TRestoreScope(Flag) { Flag = true; }
};

// Runs its action when the scope ends, by an exception too.
template <class F>
class TScopeExit {
public:
    explicit TScopeExit(F Action) : FAction(std::move(Action)) {}
    ~TScopeExit() { FAction(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    F FAction;
};

// Holds the lock of an object with Lock and Unlock for the life of the
// scope, also when the scope is left by an exception.
template <class T>
class TLockScope {
public:
    explicit TLockScope(T& Lockable) : FLockable(Lockable) { FLockable.Lock(); }
    ~TLockScope() { FLockable.Unlock(); }
    TLockScope(const TLockScope&) = delete;
    TLockScope& operator=(const TLockScope&) = delete;

private:
    T& FLockable;
};

// Runs Body between Target's BeginUpdate and EndUpdate; the update ends
// also when Body raises, and the exception passes on. Not a scope guard:
// EndUpdate reports the change, and what a report raises must pass on too.
template <class T, class F>
void WithinUpdate(T& Target, F&& Body)
{
    Target.BeginUpdate();
    try {
        std::forward<F>(Body)();
    } catch (...) {
        Target.EndUpdate();
        throw;
    }
    Target.EndUpdate();
}

// The setter pattern of the property objects: stores Value in Field when the
// two differ by exact comparison, then calls Notify; true when it stored.
// A floating-point NaN is never stored: it equals nothing, so the field
// would report a change on every setting and poison what is computed from
// it.
template <class V, class N>
bool SetIfDifferent(V& Field, const V& Value, N&& Notify)
{
    if constexpr (std::is_floating_point_v<V>)
        if (std::isnan(Value)) return false;
    if (Field == Value) return false;
    Field = Value;
    std::invoke(std::forward<N>(Notify));
    return true;
}

// Raises EInvalidCast; kept out of line so this header needs no SysUtils.
[[noreturn]] void RaiseInvalidCast(const TObject* obj);

template <class T>
T* TObject::As()
{
    if (auto* p = dynamic_cast<T*>(this)) return p;
    RaiseInvalidCast(this);
}
