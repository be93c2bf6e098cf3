#pragma once
// A write-only Qt device over one of the layer's file streams, for Qt
// writers (the PDF engine) whose output must go where the layer's files
// go. Such writers carry on after a failed write, so the device remembers
// the failure for whoever finishes the file.

#include <QIODevice>

#include "platform/Classes.h"

class TStreamDevice : public QIODevice {
public:
    // Opened for writing; Stream outlives the device.
    explicit TStreamDevice(TFileStream& Stream);
    // A write fell short.
    bool Failed() const { return FFailed; }

protected:
    qint64 readData(char* Data, qint64 MaxSize) override;
    qint64 writeData(const char* Data, qint64 Size) override;

private:
    TFileStream& FStream;
    bool FFailed = false;
};
