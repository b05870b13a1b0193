"""What the language-file generators share: the layout of a language file and of
its header of entry numbers, the checks of a table, and the texts that Varnholt's
and Brisvane's files both hold.

A table has one row per entry number: the texts in English, German, French,
Spanish, Dutch and Brazilian Portuguese. A language file is 8-bit Latin-1 text
with CRLF line ends; each section starts with its language code, holds entries 1
and 2 first (entry 2 is the language's own name, which the language selection
lists) and ends with [EOL].
"""
import os
import re

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Order of the sections in a file, and the column of each in a table.
SECTIONS = [("[1031]", 1), ("[1033]", 0), ("[1036]", 2), ("[1034]", 3), ("[1043]", 4), ("[1046]", 5)]

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


def check(texts, names):
    for number, row in texts.items():
        assert len(row) == 6, number
        for text in row:
            text.encode("latin-1")
            assert "\\" not in text and "[" not in text and "\n" not in text, (number, text)
            # The code fills in the placeholders the English text has, and only those.
            assert re.findall("%[0-9]", text) == re.findall("%[0-9]", row[0]), (number, text)
    assert set(names) == set(texts), set(names) ^ set(texts)
    assert len(set(names.values())) == len(names)


def render(title, texts, fill=None):
    """The language file; `fill` replaces %1 in every text."""
    lines = [title, ""]
    for code, column in SECTIONS:
        lines.append(code)
        for number in sorted(texts, key=lambda n: (n > 2, n)):
            text = texts[number][column]
            if fill:
                text = text.replace("%1", fill)
            lines.append("%05d %s" % (number, text))
        lines.append("[EOL]")
        lines.append("")
    return ("\r\n".join(lines)).encode("latin-1")


def render_numbers(generator, source, texts, names, namespace, extra=()):
    """The header of the entry numbers by name; `extra` lines close the namespace's body."""
    lines = [
        "// Written by scripts/%s from its table: the numbers of the" % generator,
        "// entries of %s by name. Edit the table, not this file." % source,
        "#pragma once",
        "",
        "namespace %s {" % namespace,
        "",
    ]
    for number in sorted(texts):
        english = texts[number][0]
        if len(english) > 60:
            english = english[:57].rstrip() + "..."
        english = "".join(c if 32 <= ord(c) < 127 else "?" for c in english)
        lines.append("inline constexpr int k%s = %d;  // %s" % (names[number], number, english))
    lines += list(extra)
    lines += ["", "}  // namespace %s" % namespace, ""]
    return "\n".join(lines).encode("ascii")


def write(path, data):
    full = os.path.join(TOP, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)
    print("wrote", path)
