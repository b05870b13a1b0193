#!/usr/bin/env python3
"""Writes Varnholt's language file data/varnholt/0026trl.ini from the table below,
and the headers the programs build from it: the English texts built in and the
entry numbers by name.

The table and the file's layout are those of scripts/language_tables.py. The
committed file is what ships; run this again after editing a text.
"""
import sys

import language_tables
from language_tables import SYSTEM_DEFAULT_LANGUAGE, add_error_texts, render, render_numbers, write

OUT = "data/varnholt/0026trl.ini"
# The same English texts, built into the programs for when no language file can be read.
ENGLISH_OUT = "varnholt/engine/EnglishTexts.inc"
# The entry numbers by name, so that the code never spells a bare number.
NUMBERS_OUT = "varnholt/engine/TextNumbers.h"

TEXTS = {
    # Language selection and common captions.
    1: ("Please select your language!", "Bitte wählen Sie Ihre Sprache!", "Veuillez choisir votre langue !",
        "¡Por favor, seleccione su idioma!", "Kies uw taal!", "Por favor, selecione o seu idioma!"),
    2: ("English", "Deutsch", "Français", "Español", "Nederlands", "Português (Brasil)"),
    5: ("Quorvexsoft Varnholt",) * 6,

    # Main window: labels and buttons.
    10: ("Duplicates found:", "Gefundene Duplikate:", "Doublons trouvés :", "Duplicados encontrados:",
         "Gevonden duplicaten:", "Duplicatas encontradas:"),
    15: ("Path to search for duplicates:", "Pfad für die Duplikatsuche:", "Chemin où chercher les doublons :",
         "Ruta en la que buscar duplicados:", "Pad waarin naar duplicaten wordt gezocht:",
         "Caminho para procurar duplicatas:"),
    17: ("Save &Results", "Liste &speichern", "Enregistrer la &liste", "&Guardar lista",
         "Lijst op&slaan", "Salvar &resultados"),
    18: ("Edi&t Results", "Liste &bearbeiten", "&Modifier la liste", "&Editar resultados",
         "Lijst &wijzigen", "Edi&tar resultados"),
    20: ("&Execute File", "Datei &ausführen", "&Exécuter le fichier", "E&jecutar archivo",
         "Bestand &uitvoeren", "&Executar arquivo"),
    25: ("&Show Folder", "&Ordner anzeigen", "Afficher le &dossier", "&Mostrar carpeta", "&Map tonen",
         "&Mostrar pasta"),
    30: ("&Delete", "&Löschen", "&Supprimer", "E&liminar", "&Verwijderen", "E&xcluir"),
    35: ("&Browse", "D&urchsuchen", "&Parcourir", "E&xaminar", "B&laderen", "&Procurar"),
    40: ("&Options", "O&ptionen", "&Options", "&Opciones", "&Opties", "&Opções"),
    45: ("F&ind Duplicates", "Duplikate f&inden", "&Chercher les doublons", "&Buscar duplicados",
         "&Duplicaten zoeken", "&Localizar duplicatas"),

    # Welcome panel.
    50: ("Welcome to Quorvexsoft Varnholt", "Willkommen bei Quorvexsoft Varnholt",
         "Bienvenue dans Quorvexsoft Varnholt", "Bienvenido a Quorvexsoft Varnholt",
         "Welkom bij Quorvexsoft Varnholt", "Bem-vindo ao Quorvexsoft Varnholt"),
    55: ("This very easy to use program helps you to detect duplicate files on your computer, on local or "
         "external hard drives, on CDs, DVDs, USB sticks or camera cards.",
         "Dieses sehr einfach zu bedienende Programm hilft Ihnen, doppelte Dateien auf Ihrem Computer zu finden: "
         "auf lokalen oder externen Festplatten, auf CDs, DVDs, USB-Sticks oder Speicherkarten.",
         "Ce programme très simple à utiliser vous aide à détecter les fichiers en double sur votre ordinateur, "
         "sur des disques durs locaux ou externes, sur des CD, des DVD, des clés USB ou des cartes mémoire.",
         "Este programa tan fácil de usar le ayuda a detectar archivos duplicados en su ordenador, en discos "
         "duros locales o externos, en CD, DVD, memorias USB o tarjetas de cámara.",
         "Dit zeer eenvoudig te gebruiken programma helpt u dubbele bestanden te vinden op uw computer, op "
         "lokale of externe harde schijven, op cd's, dvd's, USB-sticks of geheugenkaarten.",
         "Este programa muito fácil de usar ajuda você a detectar arquivos duplicados no seu computador, em "
         "discos rígidos locais ou externos, em CDs, DVDs, pen drives ou cartões de memória."),
    60: ("Since each user defines duplicate files different concerning file name, file size, attributes and so "
         "on you can determine by yourself what the program should look for by clicking 'Options' on the left "
         "bottom of the screen.",
         "Da jeder Benutzer Duplikate anders versteht (nach Dateiname, Dateigröße, Attributen usw.), legen Sie "
         "selbst fest, worauf das Programm achten soll: Klicken Sie dazu unten links auf 'Optionen'.",
         "Comme chaque utilisateur définit les doublons à sa façon (nom, taille, attributs, etc.), vous "
         "choisissez vous-même ce que le programme doit comparer en cliquant sur 'Options' en bas à gauche de "
         "l'écran.",
         "Como cada usuario entiende los duplicados de forma distinta (nombre, tamaño, atributos, etc.), usted "
         "mismo decide qué debe buscar el programa haciendo clic en 'Opciones', abajo a la izquierda.",
         "Omdat iedere gebruiker duplicaten anders definieert (bestandsnaam, grootte, kenmerken enzovoort), "
         "bepaalt u zelf waar het programma op let: klik daarvoor linksonder op 'Opties'.",
         "Como cada usuário define duplicatas de um jeito (nome, tamanho, atributos etc.), você mesmo decide o "
         "que o programa deve procurar clicando em 'Opções', no canto inferior esquerdo da tela."),
    65: ("Please select a file or path where the search should be started. Then click 'Find Duplicates' to "
         "start a searching process. Please be patient, this may take some time.",
         "Wählen Sie einen Ordner oder ein Laufwerk, in dem gesucht werden soll. Klicken Sie dann auf "
         "'Duplikate finden', um die Suche zu starten. Bitte haben Sie etwas Geduld, das kann eine Weile dauern.",
         "Choisissez le dossier ou le lecteur où la recherche doit commencer, puis cliquez sur 'Chercher les "
         "doublons'. Soyez patient, cela peut prendre un certain temps.",
         "Seleccione la carpeta o unidad en la que debe empezar la búsqueda y haga clic en 'Buscar duplicados'. "
         "Tenga paciencia, el proceso puede tardar un poco.",
         "Kies de map of het station waarin gezocht moet worden en klik op 'Duplicaten zoeken' om te beginnen. "
         "Even geduld a.u.b., dit kan enige tijd duren.",
         "Selecione a pasta ou unidade onde a pesquisa deve começar e clique em 'Localizar duplicatas'. Tenha "
         "paciência, isso pode levar algum tempo."),

    # Criteria (options page and results lists).
    75: ("Define duplicate files as files with following properties:",
         "Als Duplikate gelten Dateien mit folgenden Eigenschaften:",
         "Considérer comme doublons les fichiers ayant les propriétés suivantes :",
         "Considerar duplicados los archivos con las siguientes propiedades:",
         "Bestanden gelden als duplicaten bij de volgende eigenschappen:",
         "Considerar duplicatas os arquivos com as seguintes propriedades:"),
    80: ("Identical name", "Gleicher Name", "Nom identique", "Nombre idéntico", "Gelijke naam", "Nome idêntico"),
    85: ("Identical size", "Gleiche Größe", "Taille identique", "Tamaño idéntico", "Gelijke grootte",
         "Tamanho idêntico"),
    90: ("Identical file attributes", "Gleiche Dateiattribute", "Attributs de fichier identiques",
         "Atributos de archivo idénticos", "Gelijke bestandskenmerken", "Atributos de arquivo idênticos"),
    95: ("Identical creation date", "Gleiches Erstellungsdatum", "Date de création identique",
         "Fecha de creación idéntica", "Gelijke aanmaakdatum", "Data de criação idêntica"),
    100: ("Identical modification date", "Gleiches Änderungsdatum", "Date de modification identique",
          "Fecha de modificación idéntica", "Gelijke wijzigingsdatum", "Data de modificação idêntica"),
    105: ("Identical date of last access", "Gleiches Datum des letzten Zugriffs", "Date du dernier accès identique",
          "Fecha de último acceso idéntica", "Gelijke datum van laatste toegang", "Data do último acesso idêntica"),
    107: ("Identical CRC32 checksum", "Gleiche CRC32-Prüfsumme", "Somme de contrôle CRC32 identique",
          "Suma de comprobación CRC32 idéntica", "Gelijke CRC32-controlesom", "Soma de verificação CRC32 idêntica"),
    108: ("Cancel", "Abbrechen", "Annuler", "Cancelar", "Annuleren", "Cancelar"),

    # Search messages and progress.
    110: ("Please select the folder to search for duplicates:",
          "Bitte wählen Sie den Ordner, in dem nach Duplikaten gesucht werden soll:",
          "Choisissez le dossier dans lequel chercher les doublons :",
          "Seleccione la carpeta en la que buscar duplicados:",
          "Kies de map waarin naar duplicaten moet worden gezocht:",
          "Selecione a pasta onde procurar duplicatas:"),
    115: ("Please enter or select a path to search for duplicates first!",
          "Bitte geben Sie zuerst einen Pfad für die Duplikatsuche ein oder wählen Sie einen aus!",
          "Veuillez d'abord saisir ou choisir un chemin où chercher les doublons !",
          "¡Primero escriba o seleccione una ruta en la que buscar duplicados!",
          "Voer eerst een pad in of kies er een waarin naar duplicaten gezocht moet worden!",
          "Primeiro digite ou selecione um caminho para procurar duplicatas!"),
    120: ("Comparing the files of category 1 ...", "Vergleiche die Dateien der Kategorie 1 ...",
          "Comparaison des fichiers de la catégorie 1 ...", "Comparando los archivos de la categoría 1 ...",
          "Bestanden van categorie 1 worden vergeleken ...", "Comparando os arquivos da categoria 1 ..."),
    125: ("Comparing the files of category 2 ...", "Vergleiche die Dateien der Kategorie 2 ...",
          "Comparaison des fichiers de la catégorie 2 ...", "Comparando los archivos de la categoría 2 ...",
          "Bestanden van categorie 2 worden vergeleken ...", "Comparando os arquivos da categoria 2 ..."),
    130: ("Comparing the files of category 3 ...", "Vergleiche die Dateien der Kategorie 3 ...",
          "Comparaison des fichiers de la catégorie 3 ...", "Comparando los archivos de la categoría 3 ...",
          "Bestanden van categorie 3 worden vergeleken ...", "Comparando os arquivos da categoria 3 ..."),
    135: ("Comparing the files of category 4 ...", "Vergleiche die Dateien der Kategorie 4 ...",
          "Comparaison des fichiers de la catégorie 4 ...", "Comparando los archivos de la categoría 4 ...",
          "Bestanden van categorie 4 worden vergeleken ...", "Comparando os arquivos da categoria 4 ..."),
    140: ("Comparing the files of category 5 ...", "Vergleiche die Dateien der Kategorie 5 ...",
          "Comparaison des fichiers de la catégorie 5 ...", "Comparando los archivos de la categoría 5 ...",
          "Bestanden van categorie 5 worden vergeleken ...", "Comparando os arquivos da categoria 5 ..."),
    145: ("Comparing the files of category 6 ...", "Vergleiche die Dateien der Kategorie 6 ...",
          "Comparaison des fichiers de la catégorie 6 ...", "Comparando los archivos de la categoría 6 ...",
          "Bestanden van categorie 6 worden vergeleken ...", "Comparando os arquivos da categoria 6 ..."),
    150: ("Comparing the files of category 7 ...", "Vergleiche die Dateien der Kategorie 7 ...",
          "Comparaison des fichiers de la catégorie 7 ...", "Comparando los archivos de la categoría 7 ...",
          "Bestanden van categorie 7 worden vergeleken ...", "Comparando os arquivos da categoria 7 ..."),
    155: ("Searching for files ...", "Suche nach Dateien ...", "Recherche des fichiers ...",
          "Buscando archivos ...", "Bestanden worden gezocht ...", "Procurando arquivos ..."),
    160: ("Comparing files ...", "Vergleiche Dateien ...", "Comparaison des fichiers ...",
          "Comparando archivos ...", "Bestanden worden vergeleken ...", "Comparando arquivos ..."),
    # Ends every category heading; the results writer relies on the final full stop.
    165: ("duplicate groups found.", "Duplikatgruppen gefunden.", "groupes de doublons trouvés.",
          "grupos de duplicados encontrados.", "groepen duplicaten gevonden.", "grupos de duplicatas encontrados."),

    # Result actions.
    170: ("Please select the file to execute in the results list first!",
          "Bitte wählen Sie zuerst in der Ergebnisliste die Datei aus, die ausgeführt werden soll!",
          "Veuillez d'abord choisir dans la liste des résultats le fichier à exécuter !",
          "¡Primero seleccione en la lista de resultados el archivo que desea ejecutar!",
          "Kies eerst in de resultatenlijst het bestand dat moet worden uitgevoerd!",
          "Primeiro selecione na lista de resultados o arquivo a ser executado!"),
    175: ("Please select a file in the results list first to show its folder!",
          "Bitte wählen Sie zuerst in der Ergebnisliste eine Datei aus, deren Ordner angezeigt werden soll!",
          "Veuillez d'abord choisir dans la liste des résultats un fichier dont le dossier doit s'afficher !",
          "¡Primero seleccione en la lista de resultados un archivo cuya carpeta desea ver!",
          "Kies eerst in de resultatenlijst een bestand waarvan de map getoond moet worden!",
          "Primeiro selecione na lista de resultados um arquivo cuja pasta deve ser mostrada!"),
    180: ("Please select an entry in the results list and tick the files you want to remove first!",
          "Bitte wählen Sie zuerst einen Eintrag in der Ergebnisliste und haken Sie die Dateien an, die "
          "entfernt werden sollen!",
          "Veuillez d'abord choisir une entrée de la liste des résultats et cocher les fichiers à supprimer !",
          "¡Primero seleccione una entrada de la lista de resultados y marque los archivos que desea quitar!",
          "Kies eerst een item in de resultatenlijst en vink de bestanden aan die u wilt verwijderen!",
          "Primeiro selecione uma entrada na lista de resultados e marque os arquivos que deseja remover!"),
    185: ("Do you really want to delete this file?", "Möchten Sie diese Datei wirklich löschen?",
          "Voulez-vous vraiment supprimer ce fichier ?", "¿Realmente desea eliminar este archivo?",
          "Wilt u dit bestand echt verwijderen?", "Deseja realmente excluir este arquivo?"),
    190: ("Duplicates", "Duplikate", "Doublons", "Duplicados", "Duplicaten", "Duplicatas"),
    192: ("The results list has been saved.", "Die Ergebnisliste wurde gespeichert.",
          "La liste des résultats a été enregistrée.", "La lista de resultados se ha guardado.",
          "De resultatenlijst is opgeslagen.", "A lista de resultados foi salva."),

    # Menu: File.
    200: ("&File", "&Datei", "&Fichier", "&Archivo", "&Bestand", "&Arquivo"),
    215: ("&Language Selection", "Sp&rache wählen", "Choix de la &langue", "&Selección de idioma",
          "&Taal kiezen", "Seleção de i&dioma"),
    220: ("E&xit", "B&eenden", "&Quitter", "Sa&lir", "&Afsluiten", "Sai&r"),
    # Menu: Help (250 is also the options dialog's Help button).
    250: ("&Help", "&Hilfe", "&Aide", "A&yuda", "&Help", "A&juda"),
    255: ("Show &Help File", "&Hilfedatei anzeigen", "Afficher l'&aide", "Mostrar archivo de a&yuda",
          "&Helpbestand tonen", "Mostrar arquivo de a&juda"),
    260: ("Go To Quorvexsoft &Website", "Quorvexsoft-&Webseite besuchen", "Visiter le site &web de Quorvexsoft",
          "Ir al sitio &web de Quorvexsoft", "Naar de Quorvexsoft-&website", "Visitar o &site da Quorvexsoft"),
    265: ("&About...", "&Info...", "À &propos...", "&Acerca de...", "&Info...", "S&obre..."),

    400: ("There are no results yet. Please start a search first!",
          "Es liegen noch keine Ergebnisse vor. Bitte starten Sie zuerst eine Suche!",
          "Il n'y a pas encore de résultats. Veuillez d'abord lancer une recherche !",
          "Todavía no hay resultados. ¡Primero inicie una búsqueda!",
          "Er zijn nog geen resultaten. Start eerst een zoekopdracht!",
          "Ainda não há resultados. Primeiro inicie uma pesquisa!"),
    # Menu: Functions.
    405: ("F&unctions", "&Funktionen", "Fo&nctions", "&Funciones", "&Functies", "&Funções"),
    410: ("&Edit Results", "Ergebnisse &bearbeiten", "&Modifier les résultats", "&Editar resultados",
          "Resultaten &bewerken", "&Editar resultados"),
    415: ("&Save Results", "Ergebnisse &speichern", "&Enregistrer les résultats", "&Guardar resultados",
          "Resultaten op&slaan", "&Salvar resultados"),
    420: ("&Print Results", "Ergebnisse &drucken", "&Imprimer les résultats", "&Imprimir resultados",
          "Resultaten af&drukken", "&Imprimir resultados"),
    425: ("&Browse for folder to search", "Ordner zum Durchsuchen &wählen", "Choisir le &dossier à analyser",
          "Seleccionar &carpeta de búsqueda", "&Bladeren naar de te doorzoeken map", "&Procurar pasta a pesquisar"),
    430: ("&Add additional folder to search", "Weiteren Ordner &hinzufügen", "&Ajouter un autre dossier à analyser",
          "&Agregar otra carpeta de búsqueda", "Extra map &toevoegen", "&Adicionar outra pasta à pesquisa"),
    435: ("&Options", "&Optionen", "&Options", "&Opciones", "&Opties", "&Opções"),
    440: ("&Start new search", "Neue &Suche starten", "&Lancer une nouvelle recherche", "&Iniciar nueva búsqueda",
          "Nieuwe zoekopdracht &starten", "&Iniciar nova pesquisa"),
    445: ("&Execute File", "Datei &ausführen", "&Exécuter le fichier", "E&jecutar archivo", "Bestand &uitvoeren",
          "&Executar arquivo"),
    450: ("&Delete File", "Datei &löschen", "&Supprimer le fichier", "&Eliminar archivo", "Bestand &verwijderen",
          "E&xcluir arquivo"),
    455: ("Show &Folder", "Ordner an&zeigen", "A&fficher le dossier", "&Mostrar carpeta", "&Map tonen",
          "&Mostrar pasta"),

    # Printing.
    460: ("Printed with Quorvexsoft Varnholt", "Gedruckt mit Quorvexsoft Varnholt", "Imprimé avec Quorvexsoft Varnholt",
          "Impreso con Quorvexsoft Varnholt", "Afgedrukt met Quorvexsoft Varnholt", "Impresso com Quorvexsoft Varnholt"),
    465: ("Date:", "Datum:", "Date :", "Fecha:", "Datum:", "Data:"),
    470: ("Files count as duplicates when they have:", "Dateien gelten als Duplikate bei:",
          "Les fichiers sont des doublons s'ils ont :", "Los archivos se consideran duplicados si tienen:",
          "Bestanden gelden als duplicaten bij:", "Os arquivos são considerados duplicatas quando têm:"),

    # Main window tooltips.
    475: ("Choose what makes files duplicates, filters, exceptions and size categories",
          "Festlegen, was Duplikate ausmacht, sowie Filter, Ausnahmen und Größenkategorien",
          "Définir les critères des doublons, les filtres, les exceptions et les catégories de taille",
          "Definir qué archivos son duplicados, los filtros, las excepciones y las categorías de tamaño",
          "Bepalen wat duplicaten zijn, plus filters, uitzonderingen en groottecategorieën",
          "Definir o que são duplicatas, os filtros, as exceções e as categorias de tamanho"),
    480: ("Choose the folder or drive to search", "Ordner oder Laufwerk für die Suche wählen",
          "Choisir le dossier ou le lecteur à analyser", "Elegir la carpeta o unidad de búsqueda",
          "De te doorzoeken map of het station kiezen", "Escolher a pasta ou unidade a pesquisar"),
    485: ("Start the search for duplicate files", "Die Suche nach doppelten Dateien starten",
          "Lancer la recherche des fichiers en double", "Iniciar la búsqueda de archivos duplicados",
          "De zoektocht naar dubbele bestanden starten", "Iniciar a pesquisa de arquivos duplicados"),
    490: ("Delete the ticked files", "Die angehakten Dateien löschen", "Supprimer les fichiers cochés",
          "Eliminar los archivos marcados", "De aangevinkte bestanden verwijderen", "Excluir os arquivos marcados"),
    495: ("Open the results list in the text editor", "Die Ergebnisliste im Texteditor öffnen",
          "Ouvrir la liste des résultats dans l'éditeur de texte", "Abrir la lista de resultados en el editor de texto",
          "De resultatenlijst in de teksteditor openen", "Abrir a lista de resultados no editor de texto"),
    500: ("Open the selected file", "Die ausgewählte Datei öffnen", "Ouvrir le fichier sélectionné",
          "Abrir el archivo seleccionado", "Het geselecteerde bestand openen", "Abrir o arquivo selecionado"),
    505: ("Save the results list as a text file", "Die Ergebnisliste als Textdatei speichern",
          "Enregistrer la liste des résultats dans un fichier texte", "Guardar la lista de resultados como archivo de texto",
          "De resultatenlijst als tekstbestand opslaan", "Salvar a lista de resultados como arquivo de texto"),
    510: ("Open the folder of the selected file", "Den Ordner der ausgewählten Datei öffnen",
          "Ouvrir le dossier du fichier sélectionné", "Abrir la carpeta del archivo seleccionado",
          "De map van het geselecteerde bestand openen", "Abrir a pasta do arquivo selecionado"),

    # Options dialog: tabs.
    550: ("Duplicate Criteria", "Duplikatkriterien", "Critères", "Criterios", "Criteria", "Critérios"),
    555: ("Filters", "Filter", "Filtres", "Filtros", "Filters", "Filtros"),
    560: ("Exceptions", "Ausnahmen", "Exceptions", "Excepciones", "Uitzonderingen", "Exceções"),
    # Options dialog: exceptions page.
    565: ("Excepted files and folders", "Ausgenommene Dateien und Ordner", "Fichiers et dossiers exclus",
          "Archivos y carpetas excluidos", "Uitgezonderde bestanden en mappen", "Arquivos e pastas excluídos"),
    # Options dialog: filter page.
    570: ("Filter settings:", "Filtereinstellungen:", "Réglage des filtres :", "Configuración de filtros:",
          "Filterinstellingen:", "Configurações de filtro:"),
    575: ("Add &File", "&Datei hinzufügen", "Ajouter un &fichier", "Añadir a&rchivo", "&Bestand toevoegen",
          "Adicionar a&rquivo"),
    580: ("Add F&older", "&Ordner hinzufügen", "Ajouter un &dossier", "Añadir &carpeta", "&Map toevoegen",
          "Adicionar &pasta"),
    585: ("Add &Special", "&Muster hinzufügen", "Ajouter un &modèle", "Añadir &especial", "&Speciaal toevoegen",
          "Adicionar &especial"),
    590: ("&Remove Exception", "Ausnahme &entfernen", "&Retirer l'exception", "&Quitar excepción",
          "Uitzondering &verwijderen", "Re&mover exceção"),
    595: ("Add your exception here (wildcards '?' and '*' allowed):",
          "Eigene Ausnahme hier eingeben (Platzhalter '?' und '*' erlaubt):",
          "Saisissez votre exception ici (jokers '?' et '*' autorisés) :",
          "Escriba aquí su excepción (se permiten los comodines '?' y '*'):",
          "Voer hier uw uitzondering in (jokertekens '?' en '*' toegestaan):",
          "Digite sua exceção aqui (curingas '?' e '*' permitidos):"),
    600: ("Please select the exceptions you want to remove first!",
          "Bitte markieren Sie zuerst die Ausnahmen, die entfernt werden sollen!",
          "Veuillez d'abord sélectionner les exceptions à retirer !",
          "¡Primero seleccione las excepciones que desea quitar!",
          "Selecteer eerst de uitzonderingen die u wilt verwijderen!",
          "Primeiro selecione as exceções que deseja remover!"),
    605: ("Please select the folder to except from the search:",
          "Bitte wählen Sie den Ordner, der von der Suche ausgenommen werden soll:",
          "Choisissez le dossier à exclure de la recherche :",
          "Seleccione la carpeta que desea excluir de la búsqueda:",
          "Kies de map die van het zoeken moet worden uitgezonderd:",
          "Selecione a pasta a ser excluída da pesquisa:"),
    610: ("Please type an exception into the field first!",
          "Bitte geben Sie zuerst eine Ausnahme in das Feld ein!",
          "Veuillez d'abord saisir une exception dans le champ !",
          "¡Primero escriba una excepción en el campo!",
          "Voer eerst een uitzondering in het veld in!",
          "Primeiro digite uma exceção no campo!"),
    615: ("File size", "Dateigröße", "Taille du fichier", "Tamaño del archivo", "Bestandsgrootte",
          "Tamanho do arquivo"),
    620: ("File Attributes", "Dateiattribute", "Attributs du fichier", "Atributos del archivo", "Bestandskenmerken",
          "Atributos do arquivo"),
    625: ("File Date", "Dateidatum", "Date du fichier", "Fecha del archivo", "Bestandsdatum", "Data do arquivo"),
    630: ("File and Folder name", "Datei- und Ordnername", "Nom du fichier et du dossier",
          "Nombre de archivo y carpeta", "Bestands- en mapnaam", "Nome do arquivo e da pasta"),
    635: ("Activate", "Aktivieren", "Activer", "Activar", "Activeren", "Ativar"),
    640: ("File size at most", "Dateigröße höchstens", "Taille au plus", "Tamaño como máximo",
          "Bestandsgrootte hoogstens", "Tamanho no máximo"),
    645: ("File size at least", "Dateigröße mindestens", "Taille au moins", "Tamaño como mínimo",
          "Bestandsgrootte minstens", "Tamanho no mínimo"),
    # Unit names of sizes: code k is entry 650 + 5 k.
    650: ("Bytes", "Bytes", "octets", "bytes", "bytes", "bytes"),
    655: ("KB", "KB", "Ko", "KB", "KB", "KB"),
    660: ("MB", "MB", "Mo", "MB", "MB", "MB"),
    665: ("GB", "GB", "Go", "GB", "GB", "GB"),
    670: ("File must have all ticked attributes", "Datei muss alle angehakten Attribute haben",
          "Le fichier doit avoir tous les attributs cochés", "El archivo debe tener todos los atributos marcados",
          "Bestand moet alle aangevinkte kenmerken hebben", "O arquivo deve ter todos os atributos marcados"),
    675: ("File must have none of the ticked attributes", "Datei darf keines der angehakten Attribute haben",
          "Le fichier ne doit avoir aucun des attributs cochés", "El archivo no debe tener ninguno de los atributos marcados",
          "Bestand mag geen van de aangevinkte kenmerken hebben", "O arquivo não deve ter nenhum dos atributos marcados"),
    680: ("Read only", "Schreibgeschützt", "Lecture seule", "Solo lectura", "Alleen-lezen", "Somente leitura"),
    685: ("Hidden", "Versteckt", "Caché", "Oculto", "Verborgen", "Oculto"),
    690: ("Archive", "Archiv", "Archive", "Archivo", "Archief", "Arquivo morto"),
    695: ("Creation date", "Erstellungsdatum", "Date de création", "Fecha de creación", "Aanmaakdatum",
          "Data de criação"),
    700: ("Modification date", "Änderungsdatum", "Date de modification", "Fecha de modificación", "Wijzigingsdatum",
          "Data de modificação"),
    705: ("Date of last access", "Datum des letzten Zugriffs", "Date du dernier accès", "Fecha de último acceso",
          "Datum van laatste toegang", "Data do último acesso"),
    710: ("not later than", "nicht später als", "pas après le", "no posterior a", "niet later dan",
          "não posterior a"),
    715: ("not earlier than", "nicht früher als", "pas avant le", "no anterior a", "niet eerder dan",
          "não anterior a"),
    720: ("File Path includes ... (wildcards '?' and *'' allowed)",
          "Dateipfad enthält ... (Platzhalter '?' und '*' erlaubt)",
          "Le chemin du fichier contient ... (jokers '?' et '*' autorisés)",
          "La ruta del archivo contiene ... (se permiten los comodines '?' y '*')",
          "Bestandspad bevat ... (jokertekens '?' en '*' toegestaan)",
          "O caminho do arquivo contém ... (curingas '?' e '*' permitidos)"),
    750: ("Check for all criteria in a first and for CRC32 checksum in a 2nd step (could accelerate the "
          "duplicate identifying process)",
          "Erst alle anderen Kriterien und in einem 2. Schritt die CRC32-Prüfsumme prüfen (kann die Suche "
          "nach Duplikaten beschleunigen)",
          "Vérifier d'abord tous les autres critères, puis la somme CRC32 dans une 2e étape (peut accélérer "
          "la recherche des doublons)",
          "Comprobar primero los demás criterios y la suma CRC32 en un 2.º paso (puede acelerar la "
          "detección de duplicados)",
          "Eerst alle andere criteria en in een 2e stap de CRC32-controlesom controleren (kan het zoeken "
          "naar duplicaten versnellen)",
          "Verificar primeiro os demais critérios e a soma CRC32 numa 2.ª etapa (pode acelerar a "
          "identificação de duplicatas)"),
    755: ("&Wipe File", "Datei s&chreddern", "&Broyer le fichier", "&Destruir archivo", "Bestand ver&nietigen",
          "&Destruir arquivo"),
    760: ("Do you really want to wipe this file? Its content is overwritten and cannot be restored.",
          "Möchten Sie diese Datei wirklich schreddern? Ihr Inhalt wird überschrieben und kann nicht "
          "wiederhergestellt werden.",
          "Voulez-vous vraiment broyer ce fichier ? Son contenu sera écrasé et ne pourra pas être restauré.",
          "¿Realmente desea destruir este archivo? Su contenido se sobrescribe y no se puede recuperar.",
          "Wilt u dit bestand echt vernietigen? De inhoud wordt overschreven en kan niet worden hersteld.",
          "Deseja realmente destruir este arquivo? O conteúdo será sobrescrito e não poderá ser recuperado."),
    770: ("Wiping finished.", "Schreddern beendet.", "Broyage terminé.", "Destrucción terminada.",
          "Vernietigen voltooid.", "Destruição concluída."),
    775: ("Please make your program settings here:", "Hier legen Sie die Programmeinstellungen fest:",
          "Réglez ici les paramètres du programme :", "Configure aquí las opciones del programa:",
          "Stel hier het programma in:", "Faça aqui as configurações do programa:"),
    780: ("General", "Allgemein", "Général", "General", "Algemeen", "Geral"),
    785: ("Delete to recycle bin when deleting feature is used.",
          "Beim Löschen Dateien in den Papierkorb verschieben.",
          "Envoyer à la corbeille lors de la suppression.",
          "Enviar a la papelera de reciclaje al eliminar.",
          "Bij verwijderen naar de prullenbak verplaatsen.",
          "Enviar para a lixeira ao excluir."),
    # Context menu of the results tree.
    790: ("Execute File", "Datei ausführen", "Exécuter le fichier", "Ejecutar archivo", "Bestand uitvoeren",
          "Executar arquivo"),
    795: ("Delete File", "Datei löschen", "Supprimer le fichier", "Eliminar archivo", "Bestand verwijderen",
          "Excluir arquivo"),
    800: ("Wipe File", "Datei schreddern", "Broyer le fichier", "Destruir archivo", "Bestand vernietigen",
          "Destruir arquivo"),
    805: ("Show Folder", "Ordner anzeigen", "Afficher le dossier", "Mostrar carpeta", "Map tonen", "Mostrar pasta"),
    # Options dialog: tooltips.
    810: ("Open the help file", "Die Hilfedatei öffnen", "Ouvrir le fichier d'aide", "Abrir el archivo de ayuda",
          "Het helpbestand openen", "Abrir o arquivo de ajuda"),
    815: ("Close the options without saving", "Optionen schließen, ohne zu speichern",
          "Fermer les options sans enregistrer", "Cerrar las opciones sin guardar",
          "Opties sluiten zonder op te slaan", "Fechar as opções sem salvar"),
    820: ("Save the settings and close the options", "Einstellungen speichern und Optionen schließen",
          "Enregistrer les réglages et fermer les options", "Guardar la configuración y cerrar las opciones",
          "Instellingen opslaan en opties sluiten", "Salvar as configurações e fechar as opções"),
    825: ("Choose a page of settings", "Eine Seite der Einstellungen wählen", "Choisir une page de réglages",
          "Elegir una página de configuración", "Een pagina met instellingen kiezen",
          "Escolher uma página de configurações"),
    830: ("Except one or more files from the search", "Eine oder mehrere Dateien von der Suche ausnehmen",
          "Exclure un ou plusieurs fichiers de la recherche", "Excluir uno o varios archivos de la búsqueda",
          "Een of meer bestanden van het zoeken uitzonderen", "Excluir um ou mais arquivos da pesquisa"),
    835: ("Except a whole folder from the search", "Einen ganzen Ordner von der Suche ausnehmen",
          "Exclure un dossier entier de la recherche", "Excluir una carpeta entera de la búsqueda",
          "Een hele map van het zoeken uitzonderen", "Excluir uma pasta inteira da pesquisa"),
    840: ("Add the pattern typed below as an exception", "Das unten eingegebene Muster als Ausnahme hinzufügen",
          "Ajouter le modèle saisi ci-dessous comme exception", "Añadir como excepción el patrón escrito abajo",
          "Het hieronder ingevoerde patroon als uitzondering toevoegen",
          "Adicionar o padrão digitado abaixo como exceção"),
    845: ("Remove the selected exceptions", "Die markierten Ausnahmen entfernen", "Retirer les exceptions sélectionnées",
          "Quitar las excepciones seleccionadas", "De geselecteerde uitzonderingen verwijderen",
          "Remover as exceções selecionadas"),
    850: ("Switch to full screen automatically when results are shown",
          "Automatisch auf Vollbild schalten, wenn Ergebnisse angezeigt werden",
          "Passer automatiquement en plein écran à l'affichage des résultats",
          "Cambiar automáticamente a pantalla completa al mostrar los resultados",
          "Automatisch naar volledig scherm bij het tonen van resultaten",
          "Mudar automaticamente para tela cheia ao mostrar os resultados"),
    855: ("Keep last path where to search for duplicates for next program start",
          "Letzten Suchpfad für den nächsten Programmstart merken",
          "Conserver le dernier chemin de recherche pour le prochain démarrage",
          "Recordar la última ruta de búsqueda para el próximo inicio",
          "Laatste zoekpad onthouden voor de volgende programmastart",
          "Lembrar o último caminho de pesquisa no próximo início"),
    # Options dialog: size category page and the category headings.
    900: ("Define duplicate file size categories:", "Größenkategorien der Duplikate festlegen:",
          "Définir les catégories de taille des doublons :", "Definir las categorías de tamaño de los duplicados:",
          "Groottecategorieën van duplicaten bepalen:", "Definir as categorias de tamanho das duplicatas:"),
    905: ("Category", "Kategorie", "Catégorie", "Categoría", "Categorie", "Categoria"),
    910: ("from 0 Bytes to ...", "von 0 Bytes bis ...", "de 0 octet à ...", "de 0 bytes a ...",
          "van 0 bytes tot ...", "de 0 bytes até ..."),
    915: ("from", "von", "de", "de", "van", "de"),
    920: ("to", "bis", "à", "a", "tot", "até"),
    925: ("Size Categories", "Größenkategorien", "Catégories de taille", "Categorías de tamaño",
          "Groottecategorieën", "Categorias de tamanho"),
    930: ("At least", "Mindestens", "Au moins", "Al menos", "Minstens", "Pelo menos"),
    935: ("Smaller than", "Kleiner als", "Moins de", "Menos de", "Kleiner dan", "Menos de"),
    940: ("From", "Von", "De", "De", "Van", "De"),
    945: ("to less than", "bis unter", "à moins de", "a menos de", "tot", "a menos de"),
    # Additional information.
    950: ("More Info", "Mehr Info", "Plus d'infos", "Más información", "Meer info", "Mais informações"),
    955: ("Please select a file in the results list first!",
          "Bitte wählen Sie zuerst eine Datei in der Ergebnisliste aus!",
          "Veuillez d'abord choisir un fichier dans la liste des résultats !",
          "¡Primero seleccione un archivo en la lista de resultados!",
          "Kies eerst een bestand in de resultatenlijst!",
          "Primeiro selecione um arquivo na lista de resultados!"),
    960: ("File name", "Dateiname", "Nom du fichier", "Nombre del archivo", "Bestandsnaam", "Nome do arquivo"),
    965: ("Folder", "Ordner", "Dossier", "Carpeta", "Map", "Pasta"),
    970: ("Created", "Erstellt", "Créé le", "Creado", "Gemaakt", "Criado em"),
    975: ("Last modified", "Zuletzt geändert", "Modifié le", "Última modificación", "Laatst gewijzigd",
          "Modificado em"),
    980: ("Last accessed", "Letzter Zugriff", "Dernier accès", "Último acceso", "Laatst geopend", "Último acesso"),
    985: ("Size", "Größe", "Taille", "Tamaño", "Grootte", "Tamanho"),
    990: ("Additional Information", "Weitere Informationen", "Informations supplémentaires",
          "Información adicional", "Aanvullende informatie", "Informações adicionais"),
    995: ("Do not delete or wipe file when 'read only' attribute is activated",
          "Schreibgeschützte Dateien nicht löschen oder schreddern",
          "Ne pas supprimer ni broyer les fichiers en lecture seule",
          "No eliminar ni destruir archivos de solo lectura",
          "Alleen-lezenbestanden niet verwijderen of vernietigen",
          "Não excluir nem destruir arquivos somente leitura"),
    1000: ("General Options", "Allgemeine Optionen", "Options générales", "Opciones generales", "Algemene opties",
           "Opções gerais"),
    1005: ("Path for duplicate copies", "Ordner für Duplikatkopien", "Dossier des copies de doublons",
           "Carpeta para copias de duplicados", "Map voor kopieën van duplicaten", "Pasta para cópias de duplicatas"),
    1010: ("Delete all du&plicates", "Alle Du&plikate löschen", "Supprimer tous les doublo&ns",
           "Eliminar todos los du&plicados", "Alle du&plicaten verwijderen", "Excluir &todas as duplicatas"),
    # Delete all duplicates.
    1015: ('Every listed file, the first of each group included, leaves its place: it is moved into the folder '
           'for duplicate copies, and where it came from is written into a restore list there, so that '
           'Functions > Put moved files back can return every file to its place. A file of the same name that is '
           'already there is kept; the moved file then gets a free name such as "name (2).txt". Files of '
           'Varnholt, its settings and Windows are left where they are.',
           'Jede aufgelistete Datei, auch die erste jeder Gruppe, verlässt ihren Ort: Sie wird in den Ordner für '
           'Duplikatkopien verschoben, und woher sie kam, wird dort in eine Liste zum Zurücklegen geschrieben, '
           'sodass Funktionen > Verschobene Dateien zurücklegen jede Datei an ihren Ort zurückbringen kann. Eine '
           'gleichnamige Datei, die dort schon liegt, bleibt erhalten; die verschobene Datei erhält dann einen '
           'freien Namen wie "Name (2).txt". Dateien von Varnholt, seinen Einstellungen und Windows bleiben, wo sie '
           'sind.',
           'Chaque fichier de la liste, le premier de chaque groupe compris, quitte sa place : il est déplacé dans '
           'le dossier des copies de doublons, et son emplacement d\'origine est noté là dans une liste de '
           'restauration, afin que Fonctions > Remettre les fichiers déplacés puisse remettre chaque fichier à sa '
           'place. Un fichier du même nom qui s\'y trouve déjà est conservé ; le fichier déplacé reçoit alors un '
           'nom libre comme "nom (2).txt". Les fichiers de Varnholt, de ses réglages et de Windows restent à leur '
           'place.',
           'Cada archivo de la lista, incluido el primero de cada grupo, deja su lugar: se mueve a la carpeta de '
           'copias de duplicados, y su lugar de origen se anota allí en una lista de restauración, para que '
           'Funciones > Devolver los archivos movidos pueda devolver cada archivo a su lugar. Un archivo del mismo '
           'nombre que ya esté allí se conserva; el archivo movido recibe entonces un nombre libre como '
           '"nombre (2).txt". Los archivos de Varnholt, de su configuración y de Windows se quedan donde están.',
           'Elk vermeld bestand, ook het eerste van elke groep, verlaat zijn plaats: het wordt naar de map voor '
           'kopieën van duplicaten verplaatst, en waar het vandaan kwam wordt daar in een herstellijst genoteerd, '
           'zodat Functies > Verplaatste bestanden terugzetten elk bestand naar zijn plaats kan terugbrengen. Een '
           'bestand met dezelfde naam dat daar al staat, blijft bewaard; het verplaatste bestand krijgt dan een '
           'vrije naam zoals "naam (2).txt". Bestanden van Varnholt, zijn instellingen en Windows blijven waar ze '
           'zijn.',
           'Cada arquivo listado, incluindo o primeiro de cada grupo, deixa o seu lugar: ele é movido para a pasta '
           'de cópias de duplicatas, e a sua origem é anotada lá numa lista de restauração, para que Funções > '
           'Devolver os arquivos movidos possa devolver cada arquivo ao seu lugar. Um arquivo com o mesmo nome que '
           'já esteja lá é mantido; o arquivo movido recebe então um nome livre como "nome (2).txt". Os arquivos '
           'do Varnholt, das suas configurações e do Windows ficam onde estão.'),
    1020: ("Do you want to continue? Target folder:", "Möchten Sie fortfahren? Zielordner:",
           "Voulez-vous continuer ? Dossier cible :", "¿Desea continuar? Carpeta de destino:",
           "Wilt u doorgaan? Doelmap:", "Deseja continuar? Pasta de destino:"),
    1025: ("There are no results yet. Please start a search first!",
           "Es liegen noch keine Ergebnisse vor. Bitte starten Sie zuerst eine Suche!",
           "Il n'y a pas encore de résultats. Veuillez d'abord lancer une recherche !",
           "Todavía no hay resultados. ¡Primero inicie una búsqueda!",
           "Er zijn nog geen resultaten. Start eerst een zoekopdracht!",
           "Ainda não há resultados. Primeiro inicie uma pesquisa!"),
    1030: ("Every listed file has been moved.", "Alle aufgelisteten Dateien wurden verschoben.",
           "Tous les fichiers de la liste ont été déplacés.", "Todos los archivos de la lista se han movido.",
           "Alle vermelde bestanden zijn verplaatst.", "Todos os arquivos listados foram movidos."),
    1035: ("You find them in the folder:", "Sie finden sie im Ordner:", "Vous les trouverez dans le dossier :",
           "Los encontrará en la carpeta:", "U vindt ze in de map:", "Você os encontra na pasta:"),
    # Replaces a moved file's entry in the tree: no backslash and no final full stop,
    # so that it counts neither as a file nor as a heading.
    1040: ("Moved to the folder for duplicate copies", "In den Ordner für Duplikatkopien verschoben",
           "Déplacé dans le dossier des copies de doublons", "Movido a la carpeta de copias de duplicados",
           "Verplaatst naar de map voor kopieën van duplicaten", "Movido para a pasta de cópias de duplicatas"),
    # Notices at start when a file could not be read; %1 is the file's path.
    1045: ('The settings file "%1" is missing. Varnholt starts without saved settings; please install the '
           'program again.',
           'Die Einstellungsdatei "%1" fehlt. Varnholt startet ohne gespeicherte Einstellungen; bitte installieren '
           'Sie das Programm neu.',
           'Le fichier de réglages "%1" est introuvable. Varnholt démarre sans réglages enregistrés ; veuillez '
           'réinstaller le programme.',
           'Falta el archivo de configuración "%1". Varnholt se inicia sin la configuración guardada; vuelva a '
           'instalar el programa.',
           'Het instellingenbestand "%1" ontbreekt. Varnholt start zonder opgeslagen instellingen; installeer het '
           'programma opnieuw.',
           'O arquivo de configurações "%1" não foi encontrado. O Varnholt inicia sem as configurações salvas; '
           'instale o programa novamente.'),
    1050: ('The settings file "%1" cannot be read; another program may be holding it open. Varnholt starts with '
           'its default settings and leaves the file as it is.',
           'Die Einstellungsdatei "%1" kann nicht gelesen werden; möglicherweise hält ein anderes Programm sie '
           'geöffnet. Varnholt startet mit den Standardeinstellungen und lässt die Datei unverändert.',
           'Le fichier de réglages "%1" ne peut pas être lu ; un autre programme le garde peut-être ouvert. '
           'Varnholt démarre avec les réglages par défaut et laisse le fichier tel quel.',
           'No se puede leer el archivo de configuración "%1"; puede que otro programa lo tenga abierto. Varnholt '
           'se inicia con la configuración predeterminada y deja el archivo como está.',
           'Het instellingenbestand "%1" kan niet worden gelezen; mogelijk houdt een ander programma het geopend. '
           'Varnholt start met de standaardinstellingen en laat het bestand ongewijzigd.',
           'O arquivo de configurações "%1" não pode ser lido; talvez outro programa o mantenha aberto. O Varnholt '
           'inicia com as configurações padrão e deixa o arquivo como está.'),
    1055: ('The exception list "%1" cannot be read; another program may be holding it open. Varnholt starts '
           'without exceptions and leaves the file as it is.',
           'Die Ausnahmeliste "%1" kann nicht gelesen werden; möglicherweise hält ein anderes Programm sie '
           'geöffnet. Varnholt startet ohne Ausnahmen und lässt die Datei unverändert.',
           'La liste d\'exceptions "%1" ne peut pas être lue ; un autre programme la garde peut-être ouverte. '
           'Varnholt démarre sans exceptions et laisse le fichier tel quel.',
           'No se puede leer la lista de excepciones "%1"; puede que otro programa la tenga abierta. Varnholt se '
           'inicia sin excepciones y deja el archivo como está.',
           'De uitzonderingenlijst "%1" kan niet worden gelezen; mogelijk houdt een ander programma hem geopend. '
           'Varnholt start zonder uitzonderingen en laat het bestand ongewijzigd.',
           'A lista de exceções "%1" não pode ser lida; talvez outro programa a mantenha aberta. O Varnholt '
           'inicia sem exceções e deixa o arquivo como está.'),
    1060: ('The language file "%1" is missing. Varnholt shows its texts in English; please install the program '
           'again.',
           'Die Sprachdatei "%1" fehlt. Varnholt zeigt seine Texte auf Englisch an; bitte installieren Sie das '
           'Programm neu.',
           'Le fichier de langue "%1" est introuvable. Varnholt affiche ses textes en anglais ; veuillez '
           'réinstaller le programme.',
           'Falta el archivo de idioma "%1". Varnholt muestra sus textos en inglés; vuelva a instalar el programa.',
           'Het taalbestand "%1" ontbreekt. Varnholt toont zijn teksten in het Engels; installeer het programma '
           'opnieuw.',
           'O arquivo de idioma "%1" não foi encontrado. O Varnholt mostra seus textos em inglês; instale o '
           'programa novamente.'),
    1065: ('The language file "%1" cannot be read; another program may be holding it open. Varnholt shows its '
           'texts in English.',
           'Die Sprachdatei "%1" kann nicht gelesen werden; möglicherweise hält ein anderes Programm sie '
           'geöffnet. Varnholt zeigt seine Texte auf Englisch an.',
           'Le fichier de langue "%1" ne peut pas être lu ; un autre programme le garde peut-être ouvert. '
           'Varnholt affiche ses textes en anglais.',
           'No se puede leer el archivo de idioma "%1"; puede que otro programa lo tenga abierto. Varnholt '
           'muestra sus textos en inglés.',
           'Het taalbestand "%1" kan niet worden gelezen; mogelijk houdt een ander programma het geopend. '
           'Varnholt toont zijn teksten in het Engels.',
           'O arquivo de idioma "%1" não pode ser lido; talvez outro programa o mantenha aberto. O Varnholt '
           'mostra seus textos em inglês.'),
    # Result actions that left a file where it was; the path follows on its own line.
    1070: ("The file could not be wiped. It was left as it was.",
           "Die Datei konnte nicht geschreddert werden. Sie blieb unverändert.",
           "Le fichier n'a pas pu être broyé. Il a été laissé tel quel.",
           "No se pudo destruir el archivo. Se dejó tal como estaba.",
           "Het bestand kon niet worden vernietigd. Het is ongewijzigd gelaten.",
           "Não foi possível destruir o arquivo. Ele foi deixado como estava."),
    1075: ("The file has changed since the search, or another file has taken its place. It was left as it is; "
           "please search again.",
           "Die Datei hat sich seit der Suche geändert, oder eine andere Datei ist an ihre Stelle getreten. Sie "
           "bleibt unverändert; bitte suchen Sie erneut.",
           "Le fichier a changé depuis la recherche, ou un autre fichier a pris sa place. Il a été laissé tel "
           "quel ; veuillez relancer la recherche.",
           "El archivo ha cambiado desde la búsqueda, o lo ha sustituido otro archivo. Se ha dejado tal como "
           "está; vuelva a buscar.",
           "Het bestand is sinds het zoeken gewijzigd, of een ander bestand heeft zijn plaats ingenomen. Het is "
           "ongewijzigd gelaten; zoek opnieuw.",
           "O arquivo mudou desde a pesquisa, ou outro arquivo tomou o seu lugar. Ele foi deixado como está; "
           "pesquise novamente."),
    1080: ("Not every listed file could be moved.", "Nicht alle aufgelisteten Dateien konnten verschoben werden.",
           "Tous les fichiers de la liste n'ont pas pu être déplacés.",
           "No se han podido mover todos los archivos de la lista.",
           "Niet alle vermelde bestanden konden worden verplaatst.",
           "Nem todos os arquivos listados puderam ser movidos."),
    # %1 files moved, %2 left where they were; the first of those follow, one a line.
    1085: ("Files moved: %1. Files that stayed where they were: %2",
           "Verschobene Dateien: %1. An ihrem Ort gebliebene Dateien: %2",
           "Fichiers déplacés : %1. Fichiers restés à leur place : %2",
           "Archivos movidos: %1. Archivos que siguen en su lugar: %2",
           "Verplaatste bestanden: %1. Bestanden die op hun plaats zijn gebleven: %2",
           "Arquivos movidos: %1. Arquivos que ficaram onde estavam: %2"),
    1090: ("The file could not be deleted.", "Die Datei konnte nicht gelöscht werden.",
           "Le fichier n'a pas pu être supprimé.", "No se pudo eliminar el archivo.",
           "Het bestand kon niet worden verwijderd.", "Não foi possível excluir o arquivo."),
    1095: ("The results list could not be written:", "Die Ergebnisliste konnte nicht geschrieben werden:",
           "La liste des résultats n'a pas pu être écrite :", "No se pudo escribir la lista de resultados:",
           "De resultatenlijst kon niet worden geschreven:", "Não foi possível gravar a lista de resultados:"),

    # About box.
    1100: ("About Quorvexsoft Varnholt", "Info über Quorvexsoft Varnholt", "À propos de Quorvexsoft Varnholt",
           "Acerca de Quorvexsoft Varnholt", "Over Quorvexsoft Varnholt", "Sobre o Quorvexsoft Varnholt"),
    1105: ("Quorvexsoft Varnholt Version 7", "Quorvexsoft Varnholt Version 7", "Quorvexsoft Varnholt version 7",
           "Quorvexsoft Varnholt versión 7", "Quorvexsoft Varnholt versie 7", "Quorvexsoft Varnholt versão 7"),
    1110: ("Finds duplicate files on your computer.", "Findet doppelte Dateien auf Ihrem Computer.",
           "Trouve les fichiers en double sur votre ordinateur.", "Encuentra archivos duplicados en su equipo.",
           "Vindt dubbele bestanden op uw computer.", "Encontra arquivos duplicados no seu computador."),

    # Texts of the shared dialogs and checks, in the window's language.
    1115: SYSTEM_DEFAULT_LANGUAGE,
    1120: ("No exception list detected!", "Keine Ausnahmeliste erkannt!", "Aucune liste d'exceptions détectée !",
           "¡No se ha detectado ninguna lista de excepciones!", "Geen uitzonderingenlijst gevonden!",
           "Nenhuma lista de exceções detectada!"),
    1125: ("All files (*.*)", "Alle Dateien (*.*)", "Tous les fichiers (*.*)", "Todos los archivos (*.*)",
           "Alle bestanden (*.*)", "Todos os arquivos (*.*)"),
    1130: ("The paper format you selected is not supported!", "Das gewählte Papierformat wird nicht unterstützt!",
           "Le format de papier choisi n'est pas pris en charge !",
           "¡El formato de papel seleccionado no es compatible!", "Het gekozen papierformaat wordt niet ondersteund!",
           "O formato de papel selecionado não é suportado!"),
    1135: ("Quorvexsoft Printing Error", "Quorvexsoft Druckfehler", "Quorvexsoft - Erreur d'impression",
           "Quorvexsoft - Error de impresión", "Quorvexsoft - Afdrukfout", "Quorvexsoft - Erro de impressão"),
    1140: ("Please enter an integer.", "Bitte geben Sie eine ganze Zahl ein.", "Veuillez entrer un nombre entier.",
           "Introduzca un número entero.", "Voer een geheel getal in.", "Digite um número inteiro."),
    1145: ("Please enter an integer between %1 and %2.", "Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein.",
           "Veuillez entrer un nombre entier entre %1 et %2.", "Introduzca un número entero entre %1 y %2.",
           "Voer een geheel getal tussen %1 en %2 in.", "Digite um número inteiro entre %1 e %2."),
    # Searching exactly the folders named, and saying what could not be read.
    1200: ("Put moved files bac&k...", "Verschobene Dateien zu&rücklegen...", "&Remettre les fichiers déplacés...",
           "De&volver los archivos movidos...", "Verplaatste bestanden terug&zetten...",
           "De&volver os arquivos movidos..."),
    1205: ('The folder "%1" does not exist or cannot be reached. Please correct the path list; nothing was '
           'searched.',
           'Der Ordner "%1" existiert nicht oder ist nicht erreichbar. Bitte korrigieren Sie die Pfadliste; es '
           'wurde nichts durchsucht.',
           'Le dossier "%1" n\'existe pas ou n\'est pas accessible. Veuillez corriger la liste des chemins ; rien '
           'n\'a été analysé.',
           'La carpeta "%1" no existe o no está accesible. Corrija la lista de rutas; no se ha buscado nada.',
           'De map "%1" bestaat niet of is niet bereikbaar. Verbeter de padlijst; er is niets doorzocht.',
           'A pasta "%1" não existe ou não está acessível. Corrija a lista de caminhos; nada foi pesquisado.'),
    # A heading of the results: it ends with a full stop, like the category headings.
    1210: ("Files and folders that could not be read: %1.", "Dateien und Ordner, die nicht gelesen werden "
           "konnten: %1.", "Fichiers et dossiers qui n'ont pas pu être lus : %1.",
           "Archivos y carpetas que no se pudieron leer: %1.", "Bestanden en mappen die niet gelezen konden "
           "worden: %1.", "Arquivos e pastas que não puderam ser lidos: %1."),
    1215: ("Searched folders:", "Durchsuchte Ordner:", "Dossiers analysés :", "Carpetas buscadas:",
           "Doorzochte mappen:", "Pastas pesquisadas:"),
    1220: ("Left: protected (files of Varnholt, its settings or Windows): %1",
           "Belassen: geschützt (Dateien von Varnholt, seinen Einstellungen oder Windows): %1",
           "Laissés : protégés (fichiers de Varnholt, de ses réglages ou de Windows) : %1",
           "Dejados: protegidos (archivos de Varnholt, de su configuración o de Windows): %1",
           "Gelaten: beschermd (bestanden van Varnholt, zijn instellingen of Windows): %1",
           "Deixados: protegidos (arquivos do Varnholt, das suas configurações ou do Windows): %1"),
    1225: ('The restore list could not be written in "%1". Nothing was moved.',
           'Die Liste zum Zurücklegen konnte in "%1" nicht geschrieben werden. Es wurde nichts verschoben.',
           'La liste de restauration n\'a pas pu être écrite dans "%1". Rien n\'a été déplacé.',
           'No se pudo escribir la lista de restauración en "%1". No se ha movido nada.',
           'De herstellijst kon niet in "%1" worden geschreven. Er is niets verplaatst.',
           'Não foi possível gravar a lista de restauração em "%1". Nada foi movido.'),
    1230: ("Restore lists (*.csv)", "Listen zum Zurücklegen (*.csv)", "Listes de restauration (*.csv)",
           "Listas de restauración (*.csv)", "Herstellijsten (*.csv)", "Listas de restauração (*.csv)"),
    # %1 files put back, %2 that could not go back; those follow, one a line with the reason.
    1235: ("Files put back in their places: %1. Files that could not go back: %2",
           "An ihren Ort zurückgelegte Dateien: %1. Dateien, die nicht zurück konnten: %2",
           "Fichiers remis à leur place : %1. Fichiers qui n'ont pas pu revenir : %2",
           "Archivos devueltos a su lugar: %1. Archivos que no pudieron volver: %2",
           "Bestanden teruggezet op hun plaats: %1. Bestanden die niet terug konden: %2",
           "Arquivos devolvidos ao seu lugar: %1. Arquivos que não puderam voltar: %2"),
    1240: ("its place is taken", "ihr Platz ist belegt", "sa place est prise", "su lugar está ocupado",
           "zijn plaats is bezet", "o seu lugar está ocupado"),
    1245: ("changed since it was moved", "seit dem Verschieben geändert", "modifié depuis le déplacement",
           "cambiado desde que se movió", "gewijzigd sinds het verplaatsen", "alterado desde que foi movido"),
    1250: ("not in the folder for duplicate copies", "nicht im Ordner für Duplikatkopien",
           "absent du dossier des copies de doublons", "no está en la carpeta de copias de duplicados",
           "niet in de map voor kopieën van duplicaten", "não está na pasta de cópias de duplicatas"),
    1255: ("could not be moved", "konnte nicht verschoben werden", "n'a pas pu être déplacé",
           "no se pudo mover", "kon niet worden verplaatst", "não pôde ser movido"),
    1260: ('"%1" cannot be read as a restore list.', '"%1" kann nicht als Liste zum Zurücklegen gelesen werden.',
           '"%1" ne peut pas être lu comme liste de restauration.',
           '"%1" no se puede leer como lista de restauración.', '"%1" kan niet als herstellijst worden gelezen.',
           '"%1" não pode ser lido como lista de restauração.'),
    1265: ("protected", "geschützt", "protégé", "protegido", "beschermd", "protegido"),

    # Settings that make no sense, and the content cache set aside.
    1270: ("No criterion is switched on, so every file would be a duplicate of every other. Please choose in the "
           "options what makes two files duplicates; nothing was searched.",
           "Es ist kein Kriterium eingeschaltet, also wäre jede Datei ein Duplikat jeder anderen. Bitte wählen Sie "
           "in den Optionen, was zwei Dateien zu Duplikaten macht; es wurde nichts durchsucht.",
           "Aucun critère n'est activé : chaque fichier serait alors le doublon de tous les autres. Veuillez choisir "
           "dans les options ce qui fait de deux fichiers des doublons ; rien n'a été analysé.",
           "No hay ningún criterio activado, así que cada archivo sería duplicado de todos los demás. Elija en las "
           "opciones qué hace que dos archivos sean duplicados; no se ha buscado nada.",
           "Er is geen criterium ingeschakeld, dus elk bestand zou een duplicaat van elk ander zijn. Kies in de "
           "opties wat twee bestanden tot duplicaten maakt; er is niets doorzocht.",
           "Nenhum critério está ativado, então cada arquivo seria duplicata de todos os outros. Escolha nas opções "
           "o que torna dois arquivos duplicatas; nada foi pesquisado."),
    1280: ("Moving the listed files into the folder for duplicate copies...",
           "Die aufgelisteten Dateien werden in den Ordner für Duplikatkopien verschoben...",
           "Déplacement des fichiers de la liste dans le dossier des copies de doublons...",
           "Moviendo los archivos de la lista a la carpeta de copias de duplicados...",
           "De vermelde bestanden worden naar de map voor kopieën van duplicaten verplaatst...",
           "Movendo os arquivos listados para a pasta de cópias de duplicatas..."),
    1275: ('What earlier searches learned of file contents ("%1") was damaged. It was set aside as "%1.bad", and '
           'this search read every file again.',
           'Was frühere Suchen über Dateiinhalte gelernt haben ("%1"), war beschädigt. Es wurde als "%1.bad" '
           'beiseitegelegt, und diese Suche hat jede Datei neu gelesen.',
           'Ce que les recherches précédentes avaient appris du contenu des fichiers ("%1") était endommagé. Il a '
           'été mis de côté sous "%1.bad", et cette recherche a relu chaque fichier.',
           'Lo que las búsquedas anteriores aprendieron del contenido de los archivos ("%1") estaba dañado. Se ha '
           'apartado como "%1.bad", y esta búsqueda ha vuelto a leer cada archivo.',
           'Wat eerdere zoekopdrachten over de inhoud van bestanden hadden geleerd ("%1"), was beschadigd. Het is '
           'opzijgezet als "%1.bad", en deze zoekopdracht heeft elk bestand opnieuw gelezen.',
           'O que as pesquisas anteriores aprenderam sobre o conteúdo dos arquivos ("%1") estava danificado. Foi '
           'posto de lado como "%1.bad", e esta pesquisa leu novamente cada arquivo.'),

    # Selection rules, kept folders, one answer for all, links.
    1300: ("Se&lect", "Aus&wahl", "Sélec&tion", "&Selección", "Sele&ctie", "&Seleção"),
    1305: ("&Tick all but one in each group, keeping", "&Je Gruppe alle bis auf eine ankreuzen; es bleibt",
           "&Cocher tout sauf un fichier par groupe, en gardant", "&Marcar todos menos uno por grupo, conservando",
           "Per groep alles op één na &aanvinken; behouden blijft", "&Marcar todos menos um por grupo, mantendo"),
    1310: ("the &first found", "die &zuerst gefundene", "le &premier trouvé", "el &primero encontrado",
           "het eerst &gevonden bestand", "o &primeiro encontrado"),
    1315: ("the &newest", "die &neueste", "le plus &récent", "el más &reciente", "het &nieuwste", "o mais &recente"),
    1320: ("the &oldest", "die ä&lteste", "le plus &ancien", "el más &antiguo", "het &oudste", "o mais &antigo"),
    1325: ("the one with the &shortest path", "die mit dem &kürzesten Pfad", "celui au chemin le plus &court",
           "el de la ruta más &corta", "dat met het &kortste pad", "o do caminho mais &curto"),
    1330: ("the one in a fol&der...", "die in einem &Ordner...", "celui d'un &dossier...", "el de una carp&eta...",
           "dat in een &map...", "o de uma pa&sta..."),
    1335: ("Tick everything &in a folder...", "Alles in einem &Ordner ankreuzen...", "Cocher tout dans un &dossier...",
           "Marcar todo en una &carpeta...", "Alles in een &map aanvinken...", "Marcar tudo numa &pasta..."),
    1340: ("&Untick all", "Alle Haken &entfernen", "&Tout décocher", "&Desmarcar todo", "Alle vinkjes &wissen",
           "&Desmarcar tudo"),
    1345: ("In&vert ticks in each group", "Haken je Gruppe &umkehren", "&Inverser les coches de chaque groupe",
           "&Invertir las marcas de cada grupo", "Vinkjes per groep &omkeren", "&Inverter as marcas de cada grupo"),
    1350: ("&Keep the files in a folder...", "Dateien in einem Ordner &behalten...", "&Garder les fichiers d'un dossier...",
           "Conser&var los archivos de una carpeta...", "Bestanden in een map &bewaren...",
           "&Guardar os arquivos de uma pasta..."),
    1355: ("Kept f&olders...", "Be&haltene Ordner...", "&Voir les dossiers gardés...", "Carpetas c&onservadas...",
           "Bewaarde ma&ppen...", "Pastas g&uardadas..."),
    1360: ("Replace ticked files by &links to the kept copy",
           "Angekreuzte Dateien durch feste Links auf die behaltene Kopie &ersetzen",
           "Remplacer les fichiers cochés par des liens vers la copie &gardée",
           "Reemplazar los archivos marcados por en&laces a la copia conservada",
           "Aangevinkte bestanden vervangen door &koppelingen naar de bewaarde kopie",
           "Substituir os arquivos marcados por &links para a cópia guardada"),
    # The status bar: %1 files, %2 their size ("4.2 GB").
    1365: ("%1 files ticked, %2", "%1 Dateien angekreuzt, %2", "%1 fichiers cochés, %2", "%1 archivos marcados, %2",
           "%1 bestanden aangevinkt, %2", "%1 arquivos marcados, %2"),
    1370: ("This file lies in a kept folder: it is never ticked, deleted, wiped, moved or linked.",
           "Diese Datei liegt in einem behaltenen Ordner: Sie wird nie angekreuzt, gelöscht, geschreddert, "
           "verschoben oder verknüpft.",
           "Ce fichier se trouve dans un dossier gardé : il n'est jamais coché, supprimé, broyé, déplacé ni lié.",
           "Este archivo está en una carpeta conservada: nunca se marca, elimina, destruye, mueve ni enlaza.",
           "Dit bestand staat in een bewaarde map: het wordt nooit aangevinkt, verwijderd, vernietigd, verplaatst "
           "of gekoppeld.",
           "Este arquivo está numa pasta guardada: nunca é marcado, excluído, destruído, movido nem vinculado."),
    1375: ("Do the same for the other %1 ticked files (%2)", "Dasselbe für die anderen %1 angekreuzten Dateien (%2)",
           "Faire de même pour les %1 autres fichiers cochés (%2)", "Hacer lo mismo con los otros %1 archivos marcados (%2)",
           "Hetzelfde doen voor de andere %1 aangevinkte bestanden (%2)",
           "Fazer o mesmo com os outros %1 arquivos marcados (%2)"),
    1380: ('All %1 copies of "%2" are ticked. Removing them all leaves no copy of this content. Remove them all the '
           'same?',
           'Alle %1 Kopien von "%2" sind angekreuzt. Werden alle entfernt, bleibt keine Kopie dieses Inhalts. '
           'Trotzdem alle entfernen?',
           'Les %1 copies de "%2" sont toutes cochées. Les retirer toutes ne laisse aucune copie de ce contenu. Les '
           'retirer toutes quand même ?',
           'Las %1 copias de "%2" están todas marcadas. Quitarlas todas no deja ninguna copia de este contenido. '
           '¿Quitarlas todas de todos modos?',
           'Alle %1 kopieën van "%2" zijn aangevinkt. Als ze allemaal worden verwijderd, blijft er geen kopie van '
           'deze inhoud over. Toch allemaal verwijderen?',
           'Todas as %1 cópias de "%2" estão marcadas. Removê-las todas não deixa nenhuma cópia deste conteúdo. '
           'Removê-las todas mesmo assim?'),
    1385: ("Files removed: %1 (%2). Files left as they were: %3", "Entfernte Dateien: %1 (%2). Unverändert "
           "gebliebene Dateien: %3", "Fichiers retirés : %1 (%2). Fichiers laissés tels quels : %3",
           "Archivos quitados: %1 (%2). Archivos que se dejaron como estaban: %3",
           "Verwijderde bestanden: %1 (%2). Ongewijzigd gelaten bestanden: %3",
           "Arquivos removidos: %1 (%2). Arquivos deixados como estavam: %3"),
    # Replaces a linked file's entry in the tree: no backslash and no final full stop.
    1390: ("Replaced by a link to the kept copy", "Durch einen festen Link auf die behaltene Kopie ersetzt",
           "Remplacé par un lien vers la copie gardée", "Reemplazado por un enlace a la copia conservada",
           "Vervangen door een koppeling naar de bewaarde kopie", "Substituído por um link para a cópia guardada"),
    1395: ("Files replaced by links: %1, space freed: %2. Files left as they were: %3",
           "Durch Links ersetzte Dateien: %1, frei gewordener Platz: %2. Unverändert gebliebene Dateien: %3",
           "Fichiers remplacés par des liens : %1, espace libéré : %2. Fichiers laissés tels quels : %3",
           "Archivos reemplazados por enlaces: %1, espacio liberado: %2. Archivos que se dejaron como estaban: %3",
           "Door koppelingen vervangen bestanden: %1, vrijgekomen ruimte: %2. Ongewijzigd gelaten bestanden: %3",
           "Arquivos substituídos por links: %1, espaço liberado: %2. Arquivos deixados como estavam: %3"),
    1400: ("on another volume than the kept copy", "auf einem anderen Laufwerk als die behaltene Kopie",
           "sur un autre volume que la copie gardée", "en otro volumen que la copia conservada",
           "op een ander volume dan de bewaarde kopie", "em outro volume que a cópia guardada"),
    1405: ("the file system makes no links", "das Dateisystem kennt keine festen Links",
           "le système de fichiers ne fait pas de liens", "el sistema de archivos no crea enlaces",
           "het bestandssysteem maakt geen koppelingen", "o sistema de arquivos não cria links"),
    1410: ("read-only", "schreibgeschützt", "en lecture seule", "de solo lectura", "alleen-lezen", "somente leitura"),
    1415: ("changed since the search", "seit der Suche geändert", "modifié depuis la recherche",
           "cambiado desde la búsqueda", "gewijzigd sinds het zoeken", "alterado desde a pesquisa"),
    1420: ("not equal to the kept copy now", "jetzt nicht gleich der behaltenen Kopie",
           "n'est plus égal à la copie gardée", "ya no es igual a la copia conservada",
           "nu niet gelijk aan de bewaarde kopie", "agora diferente da cópia guardada"),
    1425: ("no kept copy in its group", "keine behaltene Kopie in ihrer Gruppe", "pas de copie gardée dans son groupe",
           "ninguna copia conservada en su grupo", "geen bewaarde kopie in zijn groep",
           "nenhuma cópia guardada no seu grupo"),
    1430: ("could not be replaced", "konnte nicht ersetzt werden", "n'a pas pu être remplacé", "no se pudo reemplazar",
           "kon niet worden vervangen", "não pôde ser substituído"),
    1435: ("Kept folders", "Behaltene Ordner", "Dossiers gardés", "Carpetas conservadas", "Bewaarde mappen",
           "Pastas guardadas"),
    1440: ("The files in these folders are never ticked, deleted, wiped, moved or linked:",
           "Die Dateien in diesen Ordnern werden nie angekreuzt, gelöscht, geschreddert, verschoben oder verknüpft:",
           "Les fichiers de ces dossiers ne sont jamais cochés, supprimés, broyés, déplacés ni liés :",
           "Los archivos de estas carpetas nunca se marcan, eliminan, destruyen, mueven ni enlazan:",
           "De bestanden in deze mappen worden nooit aangevinkt, verwijderd, vernietigd, verplaatst of gekoppeld:",
           "Os arquivos destas pastas nunca são marcados, excluídos, destruídos, movidos nem vinculados:"),
    1445: ("&Remove", "&Entfernen", "&Retirer", "&Quitar", "&Verwijderen", "&Remover"),
    1450: ("&Close", "&Schließen", "&Fermer", "&Cerrar", "&Sluiten", "&Fechar"),
    1455: ("Choose the folder whose files are kept", "Wählen Sie den Ordner, dessen Dateien behalten werden",
           "Choisissez le dossier dont les fichiers sont gardés", "Elija la carpeta cuyos archivos se conservan",
           "Kies de map waarvan de bestanden bewaard blijven", "Escolha a pasta cujos arquivos são guardados"),
    1460: ("Choose the folder whose file stays in each group",
           "Wählen Sie den Ordner, dessen Datei in jeder Gruppe bleibt",
           "Choisissez le dossier dont le fichier reste dans chaque groupe",
           "Elija la carpeta cuyo archivo se queda en cada grupo",
           "Kies de map waarvan het bestand in elke groep blijft", "Escolha a pasta cujo arquivo fica em cada grupo"),
    1465: ("Choose the folder whose files are ticked", "Wählen Sie den Ordner, dessen Dateien angekreuzt werden",
           "Choisissez le dossier dont les fichiers sont cochés", "Elija la carpeta cuyos archivos se marcan",
           "Kies de map waarvan de bestanden worden aangevinkt", "Escolha a pasta cujos arquivos são marcados"),
    1470: ("protected", "geschützt", "protégé", "protegido", "beschermd", "protegido"),
    1475: ("kept", "behalten", "gardé", "conservado", "bewaard", "guardado"),
    1480: ("Left: in kept folders: %1", "Belassen: in behaltenen Ordnern: %1", "Laissés : dans des dossiers gardés : %1",
           "Dejados: en carpetas conservadas: %1", "Gelaten: in bewaarde mappen: %1",
           "Deixados: em pastas guardadas: %1"),
}


# The name of every entry in the code (namespace txt), without its leading "k".
NAMES = {
    1: "SelectLanguage", 2: "LanguageName", 5: "MessageCaption",
    10: "DuplicatesFound", 15: "PathLabel", 17: "SaveResults", 18: "EditResults", 20: "ExecuteFile",
    25: "ShowFolder", 30: "Delete", 35: "Browse", 40: "Options", 45: "FindDuplicates",
    50: "WelcomeTitle", 55: "WelcomeText1", 60: "WelcomeText2", 65: "WelcomeText3",
    75: "CriteriaPrompt", 80: "SameName", 85: "SameSize", 90: "SameAttributes", 95: "SameCreationDate",
    100: "SameModificationDate", 105: "SameAccessDate", 107: "SameChecksum", 108: "Cancel",
    110: "BrowseTitle", 115: "NoSearchPath",
    120: "ComparingCategory1", 125: "ComparingCategory2", 130: "ComparingCategory3", 135: "ComparingCategory4",
    140: "ComparingCategory5", 145: "ComparingCategory6", 150: "ComparingCategory7",
    155: "SearchingFiles", 160: "ComparingFiles", 165: "GroupsFound",
    170: "NoFileToExecute", 175: "NoFileToShowFolder", 180: "NoFilesToRemove", 185: "ConfirmDelete",
    190: "ResultsFileName", 192: "ResultsSaved",
    200: "MenuFile", 215: "MenuLanguage", 220: "MenuExit",
    250: "MenuHelp", 255: "MenuHelpFile", 260: "MenuWebsite", 265: "MenuAbout",
    400: "NoResults", 405: "MenuFunctions", 410: "MenuEditResults", 415: "MenuSaveResults",
    420: "MenuPrintResults", 425: "MenuBrowse", 430: "MenuAddFolder", 435: "MenuOptions", 440: "MenuNewSearch",
    445: "MenuExecuteFile", 450: "MenuDeleteFile", 455: "MenuShowFolder",
    460: "PrintedWith", 465: "PrintDate", 470: "CriteriaHeading",
    475: "TipOptions", 480: "TipBrowse", 485: "TipFind", 490: "TipDelete", 495: "TipEditResults",
    500: "TipExecute", 505: "TipSaveResults", 510: "TipShowFolder",
    550: "TabCriteria", 555: "TabFilters", 560: "TabExceptions", 565: "ExceptionsGroup", 570: "FilterSettings",
    575: "AddFile", 580: "AddFolder", 585: "AddSpecial", 590: "RemoveException", 595: "ExceptionPrompt",
    600: "NoExceptionsSelected", 605: "ExceptFolderTitle", 610: "NoExceptionTyped",
    615: "FilterSize", 620: "FilterAttributes", 625: "FilterDate", 630: "FilterName", 635: "Activate",
    640: "SizeAtMost", 645: "SizeAtLeast",
    650: "UnitBytes", 655: "UnitKB", 660: "UnitMB", 665: "UnitGB",
    670: "AllAttributes", 675: "NoneOfAttributes", 680: "ReadOnly", 685: "Hidden", 690: "Archive",
    695: "CreationDate", 700: "ModificationDate", 705: "AccessDate", 710: "NotLaterThan", 715: "NotEarlierThan",
    720: "PathIncludes", 750: "ChecksumSecondStep", 755: "MenuWipeFile", 760: "ConfirmWipe",
    770: "WipingFinished", 775: "SettingsPrompt", 780: "TabGeneral", 785: "RecycleOnDelete",
    790: "ContextExecute", 795: "ContextDelete", 800: "ContextWipe", 805: "ContextShowFolder",
    810: "TipHelp", 815: "TipCancel", 820: "TipSave", 825: "TipPages", 830: "TipExceptFiles",
    835: "TipExceptFolder", 840: "TipAddException", 845: "TipRemoveExceptions",
    850: "MaximizeOnResults", 855: "KeepLastPath",
    900: "CategoriesPrompt", 905: "Category", 910: "FirstCategoryRange", 915: "RangeFrom", 920: "RangeTo",
    925: "TabCategories", 930: "HeadingAtLeast", 935: "HeadingSmallerThan", 940: "HeadingFrom",
    945: "HeadingToLessThan",
    950: "MoreInfo", 955: "NoFileSelected", 960: "InfoFileName", 965: "InfoFolder", 970: "InfoCreated",
    975: "InfoModified", 980: "InfoAccessed", 985: "InfoSize", 990: "MenuInfo", 995: "ProtectReadOnly",
    1000: "GeneralOptions", 1005: "CopyPathLabel", 1010: "MenuDeleteAll",
    1015: "MoveAllExplained", 1020: "MoveAllConfirm", 1025: "NothingToMove", 1030: "AllMoved",
    1035: "MovedToFolder", 1040: "MovedEntry",
    1045: "SettingsMissing", 1050: "SettingsUnreadable", 1055: "ExceptionListUnreadable",
    1060: "LanguageFileMissing", 1065: "LanguageFileUnreadable",
    1070: "WipeFailed", 1075: "FileChanged", 1080: "MoveIncomplete", 1085: "MoveCounts", 1090: "DeleteFailed",
    1095: "ResultsNotWritten",
    1100: "AboutCaption", 1105: "AboutVersion", 1110: "AboutText",
    1115: "SystemDefaultLanguage", 1120: "NoExceptionList", 1125: "AllFilesFilter", 1130: "PaperNotSupported",
    1135: "PrintingErrorCaption", 1140: "EnterInteger", 1145: "EnterIntegerInRange",
    1200: "MenuPutBack", 1205: "FolderMissing", 1210: "UnreadableHeading", 1215: "SearchedFolders",
    1220: "ProtectedLeft", 1225: "RestoreListNotWritten", 1230: "RestoreListFilter", 1235: "PutBackCounts",
    1240: "PutBackPlaceTaken", 1245: "PutBackChanged", 1250: "PutBackMissing", 1255: "PutBackFailed",
    1260: "RestoreListUnreadable", 1265: "PutBackProtected", 1270: "NoCriterion", 1275: "CacheSetAside",
    1280: "MovingFiles",
    1300: "MenuSelect", 1305: "MenuKeeping", 1310: "KeepFirst", 1315: "KeepNewest", 1320: "KeepOldest",
    1325: "KeepShortest", 1330: "KeepInFolder", 1335: "MenuTickInFolder", 1340: "MenuUntickAll",
    1345: "MenuInvertTicks", 1350: "MenuKeepFolder", 1355: "MenuKeptFolders", 1360: "MenuLinkTicked",
    1365: "TickedStatus", 1370: "KeptFileClicked", 1375: "SameForAll", 1380: "LastCopyQuestion",
    1385: "RemovedCounts", 1390: "LinkedEntry", 1395: "LinkCounts", 1400: "LinkOtherVolume",
    1405: "LinkNotSupported", 1410: "LinkReadOnly", 1415: "LinkChanged", 1420: "LinkNotEqual",
    1425: "LinkNoKeptCopy", 1430: "LinkFailed", 1435: "KeptFoldersCaption", 1440: "KeptFoldersPrompt",
    1445: "KeptFoldersRemove", 1450: "KeptFoldersClose", 1455: "BrowseKeepTitle", 1460: "BrowseKeepInTitle",
    1465: "BrowseTickInTitle", 1470: "LinkProtected", 1475: "LinkKept", 1480: "KeptLeft",
}
add_error_texts(TEXTS, NAMES, 1150, 5)

# Runs of entries that the code reaches by arithmetic: a function of the index,
# its first entry, its last, and what the index means.
RANGES = [
    ("ComparingCategory", 120, 150, "category c, 0 to 6"),
    ("SizeUnit", 650, 665, "unit code c: 0 bytes, 1 KB, 2 MB, 3 GB"),
]


def check():
    language_tables.check(TEXTS, NAMES)
    for _, first, last, _ in RANGES:
        assert all(n in TEXTS for n in range(first, last + 1, 5)), first
    assert all(t.endswith(".") for t in TEXTS[165])
    assert not any(t.endswith(".") for t in TEXTS[1040])
    assert all(t.endswith(".") for t in TEXTS[1210])
    assert not any(t.endswith(".") or "\\" in t for t in TEXTS[1390])


def render_english():
    lines = ["// Written by scripts/make-language-file.py from its table: the English section", "// of 0026trl.ini. Edit the table, not this file."]
    for number in sorted(TEXTS):
        text = "".join(c if 32 <= ord(c) < 127 and c not in '"\\' else "\\u%04x" % ord(c) for c in TEXTS[number][0])
        lines.append('{%d, L"%s"},' % (number, text))
    return ("\n".join(lines) + "\n").encode("ascii")


def main():
    check()
    ranges = [""]
    for name, first, last, meaning in RANGES:
        ranges.append("// Entries %d to %d in steps of 5, by %s." % (first, last, meaning))
        ranges.append("constexpr int %s(int c) { return k%s + 5 * c; }" % (name, NAMES[first]))
    write(OUT, render("Quorvexsoft Varnholt - texts of the user interface", TEXTS))
    write(ENGLISH_OUT, render_english())
    write(NUMBERS_OUT, render_numbers("make-language-file.py", "0026trl.ini", TEXTS, NAMES, "txt", ranges))


if __name__ == "__main__":
    sys.exit(main())
