// SPDX-License-Identifier: MIT
#include "platform/print/PrintService.h"

#include "platform/framework/Hook.h"
#include "platform/framework/MessageBox.h"
#include "platform/print/qt/PageGeometry.h"

#include <QApplication>
#include <QFileDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

struct LookupTag;
struct DialogTag;
struct FileTag;
struct StatusTag;
using LookupHook = CHookSlot<LookupTag, PrinterLookupHook>;
using DialogHook = CHookSlot<DialogTag, PrintDialogHook>;
using FileHook = CHookSlot<FileTag, PrintToFileHook>;
using StatusHook = CHookSlot<StatusTag, PrintStatusHook>;

bool HaveWindows()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

CPrinterTarget TargetOf(const QPrinterInfo& info)
{
    CPrinterTarget t;
    t.kind = CPrinterTarget::Kind::Printer;
    t.name = info.printerName().toStdString();
    // Qt knows no port; where the printer stands is the nearest thing.
    t.port = (info.location().isEmpty() ? info.printerName() : info.location()).toStdString();
    return t;
}

// The dialog's printer as a target: a PDF file or a printer of the system.
CPrinterTarget TargetOf(const QPrinter& printer, const std::optional<CPrinterTarget>& before)
{
    CPrinterTarget t = before.value_or(CPrinterTarget());
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        t.kind = CPrinterTarget::Kind::PdfFile;
        t.file = printer.outputFileName().toStdString();
        if (!before || before->kind == CPrinterTarget::Kind::Printer || t.name.empty())
            t.name = "PDF";
    } else {
        t = TargetOf(QPrinterInfo::printerInfo(printer.printerName()));
    }
    QPageLayout layout = printer.pageLayout();
    t.paper = layout.pageSize().key().toStdString();
    t.landscape = layout.orientation() == QPageLayout::Landscape;
    t.copies = printer.copyCount();
    return t;
}

void SetUpPrinter(QPrinter& printer, const std::optional<CPrinterTarget>& target)
{
    if (target && target->kind == CPrinterTarget::Kind::Printer) {
        printer.setPrinterName(QString::fromStdString(target->name));
    } else if (target) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(target->file));
    }
    // A file (or no printer at all, which leaves only a file) opens on the
    // paper a print to file gets, not on the toolkit's own default.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        CPrinterTarget file = target.value_or(CPrinterTarget());
        file.kind = CPrinterTarget::Kind::PdfFile;
        printer.setPageSize(PaperOf(file));
    }
    if (target && target->landscape)
        printer.setPageOrientation(QPageLayout::Landscape);
}

} // namespace

PrintStatusHook& PrintStatusHookSlot()
{
    return StatusHook::Get();
}

PrinterLookupHook SetPrinterLookupHook(PrinterLookupHook hook) { return LookupHook::Replace(std::move(hook)); }
PrintDialogHook SetPrintDialogHook(PrintDialogHook hook) { return DialogHook::Replace(std::move(hook)); }
PrintToFileHook SetPrintToFileHook(PrintToFileHook hook) { return FileHook::Replace(std::move(hook)); }
PrintStatusHook SetPrintStatusHook(PrintStatusHook hook) { return StatusHook::Replace(std::move(hook)); }

std::optional<CPrinterTarget> AfxFindPrinter(const std::string& name)
{
    if (LookupHook::Get())
        return LookupHook::Get()(name);
    QPrinterInfo info = name.empty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(QString::fromStdString(name));
    if (info.isNull())
        return std::nullopt;
    return TargetOf(info);
}

int AfxDoPrintDialog(CPrintDialogRequest& request)
{
    if (DialogHook::Get())
        return DialogHook::Get()(request);
    if (!HaveWindows())
        return IDCANCEL;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer, request.printer);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (request.setup) {
        dialog.setWindowTitle(QStringLiteral("Print Setup"));
        dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    } else {
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange);
        dialog.setMinMax(static_cast<int>(request.minPage), static_cast<int>(request.maxPage));
    }
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    request.printer = TargetOf(printer, request.printer);
    request.allPages = printer.printRange() != QPrinter::PageRange;
    if (!request.allPages) {
        request.fromPage = static_cast<UINT>(printer.fromPage());
        request.toPage = static_cast<UINT>(printer.toPage());
    }
    // Qt's dialog asks for the file itself.
    request.printToFile = request.printer->kind == CPrinterTarget::Kind::PdfFile && request.printer->file.empty();
    return IDOK;
}

bool AfxPromptPrintToFile(std::string& path)
{
    if (FileHook::Get())
        return FileHook::Get()(path);
    if (!HaveWindows())
        return false;
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Print to File"), QStringLiteral("Output.prn"),
                       QStringLiteral("Printer Files (*.prn);;All Files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("prn"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().front().toStdString();
    return true;
}
