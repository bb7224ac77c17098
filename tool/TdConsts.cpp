#include "tool/TdConsts.h"

// Entries: English, Dutch, German, French, Spanish, Italian, Danish, Swedish
// (Windows-1252 bytes).
const TLangText SMsgDlgButtons[11] = {
    {{"&Yes", "&Ja", "&Ja", "&Oui", "&S\xed", "&Si", "&Ja", "&Ja"}},
    {{"&No", "&Nee", "&Nein", "&Non", "&No", "&No", "&Nej", "&Nej"}},
    {{"OK", "OK", "OK", "OK", "OK", "OK", "OK", "OK"}},
    {{"Cancel", "Annuleren", "Annullieren", "Annuler", "Cancelar", "Annulla",
      "Fortryd", "Avbryt"}},
    {{"&Abort", "&Afbreken", "&Abbrechen", "&Abandonner", "&Abortar",
      "&Interrompi", "&Afbryd", "&Ta bort"}},
    {{"&Retry", "&Opnieuw", "&Wiederholen", "&R\xe9" "essayer", "&Reintentar",
      "&Riprova", "&Pr\xf8v igen", "&F\xf6rs\xf6k igen"}},
    {{"&Ignore", "&Negeren", "&Ignorieren", "&Ignorer", "&Ignorar", "&Ignora",
      "&Ignor\xe9r", "&Ignorera"}},
    {{"&All", "&Alle", "&Alles", "&Tout", "&Todo", "&Tutto", "&Alle",
      "&Allt"}},
    {{"N&o to All", "N&ee op alles", "N&ein zu Allem", "N&on \xe0 tout",
      "N&o a Todo", "N&o a Tutto", "N&ej til alle", "N&ej till Allt"}},
    {{"Yes to &All", "Ja op &alles", "Ja zu &Allem", "Oui \xe0 &tout",
      "S\xed a &Todo", "Si a &Tutto", "Ja til &Alle", "Ja till &Allt"}},
    {{"&Help", "&Help", "&Hilfe", "&Aide", "&Ayuda", "&Aiuto", "&Hj\xe6lp",
      "&Hj\xe4lp"}},
};

const TLangText SMsgDlgTypes[4] = {
    {{"Warning", "Waarschuwing", "Warnung", "Attention", "Peligro",
      "Attenzione", "Advarsel", "Varning"}},
    {{"Error", "Fout", "Fehler", "Erreur", "Error", "Errore", "Fejl", "Fel"}},
    {{"Information", "Informatie", "Information", "Information",
      "Informaci\xf3n", "Informazione", "Information", "Information"}},
    {{"Confirm", "Bevestiging", "Best\xe4tigung", "Confirmation",
      "Confirmaci\xf3n", "Conferma", "Bekr\xe6" "ftelse", "Konfirmation"}},
};
