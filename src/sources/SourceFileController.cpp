#include "sources/SourceFileController.h"

#include <exception>

namespace clavenor {

TSourceFileController::TSourceFileController(TSourceFileList& list, const TSourceFilePorts& ports)
    : list_(list), ports_(ports), ops_(ports.Probes, ports.ErrorInfo, ports.Trim, ports.Events) {}

void TSourceFileController::Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        ports_.Errors.ShowError(error.what());
    } catch (...) {
        ports_.Errors.ShowError("Unknown error");
    }
}

void TSourceFileController::OpenFlow() {
    Guarded([this] {
        const std::string folder = ports_.InitDir.ReadInitDir();
        const std::vector<std::string> paths =
            SelectSourceFiles(ports_.OpenDialog, /*removeDuplicates=*/true, folder);
        ports_.BusyWindow.SetFileList(paths);
        ports_.BusyWindow.ShowModal(
            [this](const std::vector<std::string>& chosen) { AddChosenFiles(chosen); });
        ports_.InitDir.SaveInitDir(ports_.OpenDialog.FileName());
    });
}

// The busy window's work, a handler of its own: its errors are shown before the window closes.
void TSourceFileController::AddChosenFiles(const std::vector<std::string>& paths) {
    Guarded([&] {
        ops_.AddSourceFiles(list_, paths);
        ports_.InitDir.SaveInitDir(ports_.OpenDialog.FileName());
    });
}

void TSourceFileController::DropFlow(const std::vector<std::string>& paths) {
    Guarded([&] { ops_.AddSourceFiles(list_, paths); });
}

void TSourceFileController::RemoveCommand() {
    Guarded([this] {
        ops_.RemoveSelectedRows(list_);
        if (list_.Empty())
            ports_.Trim.ResetTrimFills();
        ports_.Preview.PreviewStop();
        ports_.Trim.SyncSelectedRow();
    });
}

void TSourceFileController::ClearCommand() {
    Guarded([this] {
        ops_.ClearSourceList(list_);
        ports_.Preview.PreviewStop();
        ports_.Trim.ResetTrimFills();
    });
}

void TSourceFileController::KeyDown(bool isDeleteKey) {
    Guarded([&] {
        ports_.Trim.SyncSelectedRow();
        if (!isDeleteKey)
            return;
        ops_.RemoveSelectedRows(list_);
        ports_.Preview.PreviewStop();
        if (list_.Empty())
            ports_.Trim.ResetTrimFills();
    });
}

void TSourceFileController::KeyUp() {
    Guarded([this] { ports_.Trim.SyncSelectedRow(); });
}

void TSourceFileController::ListClick() {
    Guarded([this] { ports_.Trim.SyncSelectedRow(); });
}

void TSourceFileController::DragEnded(bool droppedOnList) {
    if (!droppedOnList)
        RemoveCommand();
}

} // namespace clavenor
