#include "controls/MessDlgTexts.h"

#include "platform/ResStrings.h"

namespace cf {

const std::array<std::array<const char*, DlgTextCount>, DlgLanguageCount> MessageDlgTexts = {{
    // English
    {"Cancel", "Warning", "Error", "Information", "Confirm", "", "Yes", "No", "OK", "Cancel", "Abort", "Retry",
     "Ignore", "All", "No to all", "Yes to all", "Help"},
    // Russian
    {"Отмена", "Предупреждение", "Ошибка", "Информация", "Подтверждение", "", "Да", "Нет", "OK", "Отмена",
     "Прервать", "Повторить", "Пропустить", "Все", "Нет для всех", "Да для всех", "Помощь"},
    // Portuguese
    {"Cancelar", "Aviso", "Erro", "Informação", "Confirmação", "", "Sim", "Não", "OK", "Cancelar", "Abortar",
     "Repetir", "Ignorar", "Todos", "Não a todos", "Sim a todos", "Ajuda"},
    // Turkish
    {"İptal", "Uyarı", "Hata", "Bilgi", "Onay", "", "Evet", "Hayır", "Tamam", "İptal", "Durdur", "Yinele",
     "Yoksay", "Tümü", "Tümüne hayır", "Tümüne evet", "Yardım"},
    // German
    {"Abbrechen", "Warnung", "Fehler", "Information", "Bestätigung", "", "Ja", "Nein", "OK", "Abbrechen",
     "Abbrechen", "Wiederholen", "Ignorieren", "Alle", "Nein zu allen", "Ja zu allen", "Hilfe"},
    // Dutch
    {"Annuleren", "Waarschuwing", "Fout", "Informatie", "Bevestiging", "", "Ja", "Nee", "OK", "Annuleren",
     "Afbreken", "Opnieuw", "Negeren", "Alles", "Nee op alles", "Ja op alles", "?"},
    // French
    {"Annuler", "Avertissement", "Erreur", "Information", "Confirmation", "", "Oui", "Non", "OK", "Annuler",
     "Abandonner", "Réessayer", "Ignorer", "Tout", "Non pour tous", "Oui pour tous", "Aide"},
    // Greek
    {"Άκυρο", "Προειδοποίηση", "Σφάλμα", "Πληροφορία", "Επιβεβαίωση", "", "Ναι", "Όχι", "OK", "Άκυρο",
     "Διακοπή", "Επανάληψη", "Παράβλεψη", "Όλα", "Όχι σε όλα", "Ναι σε όλα", "Βοήθεια"},
    // Spanish
    {"Cancelar", "Precaución", "Error", "Información", "Confirmación", "", "Si", "No", "OK", "Cancelar",
     "Abortar", "Reintentar", "Ignorar", "Todo", "No a todo", "Si a todo", "Ayuda"},
    // Italian
    {"Annulla", "Attenzione", "Errore", "Informazione", "Conferma", "", "Si", "No", "OK", "Annulla", "Termina",
     "Riprova", "Ignora", "Tutti", "No a tutti", "Si a tutti", "Aiuto!"},
    // Hungarian
    {"Mégse", "Figyelmeztetés", "Hiba", "Információ", "Megerősítés", "", "Igen", "Nem", "OK", "Mégse",
     "Megszakítás", "Újra", "Kihagyás", "Mind", "Egyiket sem", "Mindet", "Súgó"},
    // Romanian
    {"Anulare", "Atenţie", "Eroare", "Informaţie", "Confirmare", "", "Da", "Nu", "OK", "Anulare", "Abandon",
     "Reîncearcă", "Ignoră", "Toate", "Nu la toate", "Da la toate", "Ajutor"},
}};

const char* DlgText(int lang, int entry)
{
    if (lang < 0 || lang >= DlgLanguageCount)
        lang = dlEnglish;
    if (entry < 0 || entry >= DlgTextCount)
        return "";
    return MessageDlgTexts[std::size_t(lang)][std::size_t(entry)];
}

std::string ShownDlgText(int lang, int entry)
{
    return LoadResString({DlgTextIdBase + entry, DlgText(lang, entry)});
}

} // namespace cf
