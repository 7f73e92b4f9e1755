// The record's one rule of its own: the first installation's "before" wins.
#include "monitor/InstallRecord.h"

namespace marvella {

bool RecordPageBefore(RecordStore& record, const StartPageSlot& slot, bool present,
                      const char* value) {
  char written[kRecordTextSize];
  if (record.Read(slot.written, written)) return true;
  if (!present) return record.Remove(slot.before);
  return value && record.Write(slot.before, value);
}

}  // namespace marvella
