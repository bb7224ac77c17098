#include "lib/foundation/app/StartupTexts.h"

// Entries: English, Dutch, German, French, Spanish, Italian, Danish, Swedish.

const SLangText kTextError = {{"Error", "Fout", "Fehler", "Erreur", "Error", "Errore", "Fejl", "Fel"}};

const SLangText kTextNeedDirectX8 = {{
    "This application needs DirectX 8.0 or a higher version to run.\n\n"
    "The latest version of DirectX can be downloaded from http://www.microsoft.com/directx.",
    "Deze toepassing heeft DirectX 8.0 of hoger nodig om goed te werken.\n\n"
    "De nieuwste versie van DirectX kunt u downloaden van http://www.microsoft.com/directx.",
    "Diese Anwendung ben\xF6tigt DirectX 8.0 oder eine h\xF6here Version.\n\n"
    "Die neueste Version von DirectX kann von http://www.microsoft.com/directx "
    "heruntergeladen werden.",
    "Cette application n\xE9\x63\x65ssite DirectX 8.0 ou une version sup\xE9rieure.\n\n"
    "La derni\xE8re version de DirectX peut \xEAtre t\xE9l\xE9\x63harg\xE9\x65 sur "
    "http://www.microsoft.com/directx.",
    "",
    "Questa applicazione richiede DirectX 8.0 o una versione successiva.\n\n"
    "L'ultima versione di DirectX pu\xF2 essere scaricata da http://www.microsoft.com/directx.",
    "Dette program kr\xE6ver DirectX 8.0 eller en nyere version.\n\n"
    "Den nyeste version af DirectX kan hentes fra http://www.microsoft.com/directx.",
    "",
}};

const SLangText kTextLowColourDepth = {{
    "To run this application, the desktop must have a color resolution of 16 bits or more.\n\n"
    "Do you want to open the Screen Settings Dialog to change the settings?",
    "Om deze applicatie uit te voeren, dient uw beeldscherm ingesteld te staan op een "
    "kleurendiepte van ten minste 16 bits.\n\n"
    "Wilt u de instellingen van uw beeldscherm nu aanpassen?",
    "Diese Anwendung erfordert eine Farbtiefe von mindestens 16 Bit.\n\n"
    "M\xF6\x63hten Sie die Anzeigeeinstellungen jetzt \xF6\x66\x66nen?",
    "Cette application n\xE9\x63\x65ssite un affichage d'au moins 16 bits de couleurs.\n\n"
    "Voulez-vous ouvrir les param\xE8tres d'affichage maintenant ?",
    "",
    "Questa applicazione richiede una profondit\xE0 di colore di almeno 16 bit.\n\n"
    "Aprire ora le impostazioni dello schermo?",
    "Dette program kr\xE6ver en farvedybde p\xE5 mindst 16 bit.\n\n"
    "Vil du \xE5\x62ne indstillingerne for sk\xE6rmen nu?",
    "",
}};
