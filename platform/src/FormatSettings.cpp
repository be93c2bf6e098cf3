#include "platform/Consts.h"
#include "platform/SysUtils.h"

TFormatSettings FormatSettings;

TFormatSettingsScope::TFormatSettingsScope() : FSaved(FormatSettings) {}

TFormatSettingsScope::TFormatSettingsScope(const TFormatSettings& settings) : FSaved(FormatSettings)
{
    FormatSettings = settings;
}

TFormatSettingsScope::~TFormatSettingsScope() { FormatSettings = FSaved; }

void Abort() { throw EAbort(SOperationAborted); }
