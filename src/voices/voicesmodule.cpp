// The voices as a module of their own, loaded only when a grown-up works
// with them: the libraries that measure, resample and pack takes never cost
// the child's window.
#include "voices/voicesapp.h"
#include "voices/voicesloader.h"

extern "C" Q_DECL_EXPORT int huroofVoicesTask(int task, const QStringList &arguments)
{
    switch (VoicesTask(task)) {
    case VoicesTask::Window:
        return runVoicesWindow();
    case VoicesTask::ImportVoice:
        return runImportVoice(arguments);
    case VoicesTask::ExportPack:
        return runExportVoices(arguments);
    case VoicesTask::ImportPack:
        return runImportVoices(arguments);
    }
    return 2;
}
