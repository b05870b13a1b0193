"""Texts that Varnholt's and Brisvane's language files both hold: the language
list's system default and the framework's standard messages. Columns as in the
generators' tables: English, German, French, Spanish, Dutch, Brazilian Portuguese.
"""

SYSTEM_DEFAULT_LANGUAGE = (
    "System default language", "Standardsprache des Systems", "Langue par défaut du système",
    "Idioma predeterminado del sistema", "Standaardtaal van het systeem", "Idioma padrão do sistema")

# The framework's standard messages by name; "%1" is a file's path. The English
# ones are also the framework's own, for when no language file can be read.
ERROR_TEXTS = [
    ("FileError", (
        'The file "%1" could not be opened or written.',
        'Die Datei "%1" konnte nicht geöffnet oder geschrieben werden.',
        'Le fichier "%1" n\'a pas pu être ouvert ou écrit.',
        'No se pudo abrir o escribir el archivo "%1".',
        'Het bestand "%1" kon niet worden geopend of geschreven.',
        'Não foi possível abrir ou gravar o arquivo "%1".')),
    ("InvalidArgumentError", (
        "An invalid argument was given to an operation.",
        "Einer Operation wurde ein ungültiges Argument übergeben.",
        "Un argument non valide a été transmis à une opération.",
        "Se pasó un argumento no válido a una operación.",
        "Er is een ongeldig argument aan een bewerking doorgegeven.",
        "Um argumento inválido foi passado a uma operação.")),
    ("FailureError", (
        "The operation could not be carried out.",
        "Der Vorgang konnte nicht ausgeführt werden.",
        "L'opération n'a pas pu être effectuée.",
        "No se pudo llevar a cabo la operación.",
        "De bewerking kon niet worden uitgevoerd.",
        "Não foi possível realizar a operação.")),
    ("UnexpectedError", (
        "An unexpected error stopped the operation.",
        "Ein unerwarteter Fehler hat den Vorgang abgebrochen.",
        "Une erreur inattendue a interrompu l'opération.",
        "Un error inesperado detuvo la operación.",
        "Een onverwachte fout heeft de bewerking afgebroken.",
        "Um erro inesperado interrompeu a operação.")),
    ("EightBitFileError", (
        'The file "%1" keeps one byte per character and cannot hold this text; it was left as it was.',
        'Die Datei "%1" speichert ein Byte pro Zeichen und kann diesen Text nicht aufnehmen; sie wurde nicht '
        'verändert.',
        'Le fichier "%1" garde un octet par caractère et ne peut pas contenir ce texte ; il n\'a pas été modifié.',
        'El archivo "%1" guarda un byte por carácter y no puede contener este texto; se ha dejado como estaba.',
        'Het bestand "%1" bewaart één byte per teken en kan deze tekst niet bevatten; het is ongewijzigd gelaten.',
        'O arquivo "%1" guarda um byte por caractere e não pode conter este texto; ele foi deixado como estava.')),
]


def add_error_texts(texts, names, first, step):
    """Puts the standard messages into a generator's table from entry `first` on."""
    for i, (name, row) in enumerate(ERROR_TEXTS):
        texts[first + i * step] = row
        names[first + i * step] = name
