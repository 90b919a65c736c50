#include "app/forms/CaptionedModelDialogs.h"

#include <QApplication>
#include <QPushButton>

#include "lang/forms/Captions.h"
#include "model/forms/PlcTypeForm.h"
#include "model/forms/StackCodeForm.h"

namespace kestrion::forms {

PlcTypeFormResult CaptionedModelDialogs::showPlcTypeForm(std::int32_t plcType, std::int32_t memSizeCode) {
    TPlcTypeForm form(QApplication::activeWindow());
    Captions::of(&form).title("PlcTypeCaption").text(form.btnHelp, "Help");
    form.state.plcType = plcType;
    form.state.memSizeCode = memSizeCode;
    form.exec();
    return form.state.result();
}

void CaptionedModelDialogs::showStackCode(const StackCodeView& view) {
    // Modal over the main window: the language cannot change while it shows.
    StackCodeView shown = view;
    shown.caption = translatedText(view.caption).toStdString();
    showStackCodeForm(shown);
}

}  // namespace kestrion::forms
