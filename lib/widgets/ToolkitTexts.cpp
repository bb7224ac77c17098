#include "lib/widgets/ToolkitTexts.h"

// Windows-1252, in the order English, Dutch, German, French, Spanish,
// Italian, Danish, Swedish.
const SLangText kTextCancel = {
    {"Cancel", "Annuleren", "Annullieren", "Annuler", "Cancelar", "Annulla", "Fortryd", "Avbryt"}};
const SLangText kTextOK = {{"OK"}};
const SLangText kTextHelp = {
    {"Help", "Help", "Hilfe", "Aide", "Ayuda", "Aiuto", "Hj\xE6lp", "Hj\xE4lp"}};
