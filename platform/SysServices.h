#pragma once
// System services of the non-visual components: file identities and
// replacement, a single-instance guard and a notification-area icon.

#include <functional>
#include <memory>
#include <string_view>

#include "platform/Types.h"

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

// The file a path names, links followed: equal identities are one file.
struct TFileIdentity {
    UInt64 Device = 0;
    UInt64 Inode = 0;
    bool operator==(const TFileIdentity&) const = default;
};
// False (Identity untouched) when the path names nothing.
bool GetFileIdentity(std::string_view Path, TFileIdentity& Identity);
// Both paths exist and name the same file (through links too).
bool SameFile(std::string_view A, std::string_view B);
// The path itself is a symbolic link (whatever it points to).
bool IsSymbolicLink(std::string_view Path);

// ---------------------------------------------------------------------------
// Single instance
// ---------------------------------------------------------------------------

// One running instance per user and key: the first holds a lock on
// <Name>.lock and listens on the local socket <Name>.socket; a later one
// finds the lock held and asks the first, over the socket, to come forward.
// Both live in the user's runtime folder: $XDG_RUNTIME_DIR when the user
// owns it and nobody else may enter it, else <temp>/pl-runtime-<uid>, made
// so. A lock file that is a link or that someone else made or can write is
// replaced; with no such folder at all, every instance runs.
class TSingleInstance {
public:
    // Characters of Key that a file or socket name cannot hold are
    // replaced, and a long key is cut and marked with a hash of the whole.
    explicit TSingleInstance(const String& Key);
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // True when this is the first instance: the lock is held and requests
    // are listened to from now on (the lock of an instance that ended, even
    // by a crash, is free again). True also when no lock can be had.
    bool Acquire();
    // From a later instance: asks the first one to come forward; false
    // when none answered within a second.
    bool ActivateFirst();
    // The name the lock file and the socket are derived from.
    const String& Name() const { return FName; }

    // Runs in the first instance, on the GUI thread, for each request.
    std::function<void()> OnActivate;

private:
    struct TImpl;
    void Listen();

    String FName;
    std::unique_ptr<TImpl> FImpl;
};

// ---------------------------------------------------------------------------
// Notification-area icon
// ---------------------------------------------------------------------------

class TBitmap;
class TCustomForm;

enum TTrayActivation { taTrigger, taContext, taDoubleClick, taMiddleClick };

// An icon in the desktop's notification area. Without one (no tray, as in
// headless runs) the icon is never shown and Available says so.
class TTrayIcon {
public:
    TTrayIcon();
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    static bool Available();
    // The bitmap's pixels, its transparent colour keyed out when it is
    // transparent.
    void SetIcon(TBitmap* Icon);
    void SetToolTip(const String& Text);
    void SetVisible(bool Value);
    // Shown in the notification area now.
    bool Visible() const;
    // Watches Form for being minimised (nullptr stops watching).
    void WatchMinimize(TCustomForm* Form, std::function<void()> OnMinimize);

    std::function<void(TTrayActivation Reason)> OnActivated;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};
