#include "playlist_file/closing.h"

#include "platform/dialogs.h"
#include "playlist/form_state.h"
#include "playlist_file/file_commands.h"

void Form_Unload(CommandContext& ctx, bool& cancel) {
    if (!ctx.state.bUnsaved) {
        cancel = false;
        return;
    }
    switch (ctx.dialogs.ask(QStringLiteral("Save File Before Exiting?"),
                            MessageButtons::YesNoCancel, MessageAnswer::Yes)) {
    case MessageAnswer::Yes:
        mnuFileSave_Click(ctx);
        cancel = ctx.state.bUnsaved;
        return;
    case MessageAnswer::No:
        cancel = false;
        return;
    default:
        cancel = true;
        return;
    }
}
