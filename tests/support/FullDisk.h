#pragma once
// A full disk for the length of a scope: the layer's file writes take
// BytesLeft more bytes, then fail as on a full disk (ENOSPC). Room comes
// back when the scope ends, also when a test fails inside it.

#include "platform/Testing.h"

class TFullDisk {
public:
    explicit TFullDisk(Int64 BytesLeft = 0) { Testing::Disk::FillAfter(BytesLeft); }
    ~TFullDisk() { Testing::Disk::MakeRoom(); }
    TFullDisk(const TFullDisk&) = delete;
    TFullDisk& operator=(const TFullDisk&) = delete;
};
