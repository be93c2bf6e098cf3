#include "StreamDevice.h"

TStreamDevice::TStreamDevice(TFileStream& Stream) : FStream(Stream) { open(QIODevice::WriteOnly); }

qint64 TStreamDevice::readData(char*, qint64) { return -1; }

qint64 TStreamDevice::writeData(const char* Data, qint64 Size)
{
    // A file stream reports a short write by its count, never by raising.
    const Int64 written = FStream.Write(Data, Size);
    if (written == Size) return Size;
    FFailed = true;
    return -1;
}
