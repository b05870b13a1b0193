#!/usr/bin/env python3
"""Writes Brisvane's language file data/brisvane/0020trl.ini and the header of its
entry numbers by name (brisvane/TextNumbers.h), and the small language files of
the stand-in modules (data/<module>/<id>trl.ini) with their header
(standins/StandinTexts.h).

The tables and the files' layout are those of scripts/language_tables.py. The
committed files are what ships; run this again after editing a text.
"""
import sys

from language_tables import SYSTEM_DEFAULT_LANGUAGE, add_error_texts, check, render, render_numbers, write


NAMES_OF_LANGUAGES = ("English", "Deutsch", "Français", "Español", "Nederlands", "Português (Brasil)")
SELECT_LANGUAGE = ("Please select your language", "Bitte wählen Sie Ihre Sprache", "Veuillez choisir votre langue",
                   "Por favor, seleccione su idioma", "Kies uw taal", "Por favor, selecione o seu idioma")

BRISVANE = {
    1: SELECT_LANGUAGE,
    2: NAMES_OF_LANGUAGES,
    5: ("Quorvexsoft Brisvane",) * 6,
    10: ("Click a module to start it, or let the 1-Click Cleaning tidy your computer in one go.",
         "Klicken Sie auf ein Modul, um es zu starten, oder lassen Sie die 1-Klick-Reinigung Ihren Computer in einem "
         "Zug aufräumen.",
         "Cliquez sur un module pour le lancer, ou laissez le nettoyage en 1 clic ranger votre ordinateur en une "
         "seule fois.",
         "Haga clic en un módulo para iniciarlo, o deje que la limpieza en 1 clic ordene su ordenador de una sola vez.",
         "Klik op een module om hem te starten, of laat de 1-klik-opschoning uw computer in één keer opruimen.",
         "Clique em um módulo para iniciá-lo, ou deixe a limpeza em 1 clique arrumar o seu computador de uma só vez."),
    # Descriptions of the modules (kept hidden in the window).
    15: ("Flintrask removes temporary and needless files from your drives.",
         "Flintrask entfernt temporäre und überflüssige Dateien von Ihren Laufwerken.",
         "Flintrask supprime les fichiers temporaires et inutiles de vos lecteurs.",
         "Flintrask elimina los archivos temporales e innecesarios de sus unidades.",
         "Flintrask verwijdert tijdelijke en overbodige bestanden van uw stations.",
         "O Flintrask remove arquivos temporários e desnecessários das suas unidades."),
    20: ("Wickerlume finds and mends broken entries in the system's settings.",
         "Wickerlume findet und repariert fehlerhafte Einträge in den Systemeinstellungen.",
         "Wickerlume trouve et répare les entrées défectueuses des paramètres du système.",
         "Wickerlume encuentra y repara las entradas defectuosas de la configuración del sistema.",
         "Wickerlume vindt en herstelt defecte vermeldingen in de systeeminstellingen.",
         "O Wickerlume encontra e corrige entradas defeituosas nas configurações do sistema."),
    25: ("Ostrelle wipes the traces of your work: histories, caches and lists of recent files.",
         "Ostrelle beseitigt die Spuren Ihrer Arbeit: Verläufe, Zwischenspeicher und Listen zuletzt verwendeter "
         "Dateien.",
         "Ostrelle efface les traces de votre travail : historiques, caches et listes de fichiers récents.",
         "Ostrelle borra las huellas de su trabajo: historiales, cachés y listas de archivos recientes.",
         "Ostrelle wist de sporen van uw werk: geschiedenis, caches en lijsten met recente bestanden.",
         "O Ostrelle apaga os rastros do seu trabalho: históricos, caches e listas de arquivos recentes."),
    30: ("Pembrast shows what fills your disks and helps you to free space.",
         "Pembrast zeigt, was Ihre Festplatten füllt, und hilft Ihnen, Platz zu schaffen.",
         "Pembrast montre ce qui remplit vos disques et vous aide à libérer de l'espace.",
         "Pembrast muestra qué llena sus discos y le ayuda a liberar espacio.",
         "Pembrast toont wat uw schijven vult en helpt u ruimte vrij te maken.",
         "O Pembrast mostra o que ocupa os seus discos e ajuda a liberar espaço."),
    35: ("Varnholt finds duplicate files and helps you to remove them.",
         "Varnholt findet doppelte Dateien und hilft Ihnen, sie zu entfernen.",
         "Varnholt trouve les fichiers en double et vous aide à les supprimer.",
         "Varnholt encuentra archivos duplicados y le ayuda a eliminarlos.",
         "Varnholt vindt dubbele bestanden en helpt u ze te verwijderen.",
         "O Varnholt encontra arquivos duplicados e ajuda a removê-los."),

    # Menu.
    200: ("&File", "&Datei", "&Fichier", "&Archivo", "&Bestand", "&Arquivo"),
    210: ("&Language Selection", "&Sprachauswahl", "Choix de la &langue", "Selección de &idioma", "&Taalkeuze",
          "Seleção de &idioma"),
    212: ("E&xit", "&Beenden", "&Quitter", "&Salir", "&Afsluiten", "&Sair"),
    215: ("&Modules", "&Module", "&Modules", "&Módulos", "&Modules", "&Módulos"),
    217: ("&Flintrask",) * 6,
    218: ("&Wickerlume",) * 6,
    219: ("&Ostrelle",) * 6,
    220: ("&Pembrast",) * 6,
    221: ("&Varnholt",) * 6,
    222: ("&Tressivon",) * 6,
    245: ("&Help", "&Hilfe", "&Aide", "A&yuda", "&Help", "A&juda"),
    250: ("Show &help file for ...", "&Hilfedatei anzeigen für ...", "Afficher l'&aide de ...",
          "&Mostrar la ayuda de ...", "&Helpbestand tonen voor ...", "Mostrar a &ajuda de ..."),
    255: ("Go to Quorvexsoft &website", "Zur Quorvexsoft-&Website", "Aller sur le &site de Quorvexsoft",
          "Ir al sitio &web de Quorvexsoft", "Naar de Quorvexsoft-&website", "&Ir para o site da Quorvexsoft"),
    260: ("&About ...", "Ü&ber ...", "À &propos ...", "&Acerca de ...", "&Info ...", "&Sobre ..."),

    # One-click cleaning: the progress panel, the status line and the report.
    400: ("Cancel", "Abbrechen", "Annuler", "Cancelar", "Annuleren", "Cancelar"),
    405: ("Step 1 - Flintrask: temporary and needless files", "Schritt 1 - Flintrask: temporäre und überflüssige Dateien",
          "Étape 1 - Flintrask : fichiers temporaires et inutiles", "Paso 1 - Flintrask: archivos temporales e innecesarios",
          "Stap 1 - Flintrask: tijdelijke en overbodige bestanden",
          "Etapa 1 - Flintrask: arquivos temporários e desnecessários"),
    410: ("Step 2 - Wickerlume: entries of the system's settings", "Schritt 2 - Wickerlume: Einträge der Systemeinstellungen",
          "Étape 2 - Wickerlume : entrées des paramètres du système",
          "Paso 2 - Wickerlume: entradas de la configuración del sistema",
          "Stap 2 - Wickerlume: vermeldingen in de systeeminstellingen",
          "Etapa 2 - Wickerlume: entradas das configurações do sistema"),
    415: ("Step 3 - Ostrelle: traces of your work", "Schritt 3 - Ostrelle: Spuren Ihrer Arbeit",
          "Étape 3 - Ostrelle : traces de votre travail", "Paso 3 - Ostrelle: huellas de su trabajo",
          "Stap 3 - Ostrelle: sporen van uw werk", "Etapa 3 - Ostrelle: rastros do seu trabalho"),
    420: ("Flintrask is looking for needless files. Please wait ...",
          "Flintrask sucht überflüssige Dateien. Bitte warten ...",
          "Flintrask recherche les fichiers inutiles. Veuillez patienter ...",
          "Flintrask busca archivos innecesarios. Espere, por favor ...",
          "Flintrask zoekt naar overbodige bestanden. Even geduld ...",
          "O Flintrask procura arquivos desnecessários. Aguarde ..."),
    422: ("Wickerlume is checking the system's settings. Please wait ...",
          "Wickerlume prüft die Systemeinstellungen. Bitte warten ...",
          "Wickerlume vérifie les paramètres du système. Veuillez patienter ...",
          "Wickerlume revisa la configuración del sistema. Espere, por favor ...",
          "Wickerlume controleert de systeeminstellingen. Even geduld ...",
          "O Wickerlume verifica as configurações do sistema. Aguarde ..."),
    424: ("Ostrelle is wiping the traces of your work. Please wait ...",
          "Ostrelle beseitigt die Spuren Ihrer Arbeit. Bitte warten ...",
          "Ostrelle efface les traces de votre travail. Veuillez patienter ...",
          "Ostrelle borra las huellas de su trabajo. Espere, por favor ...",
          "Ostrelle wist de sporen van uw werk. Even geduld ...",
          "O Ostrelle apaga os rastros do seu trabalho. Aguarde ..."),
    430: ("1-Click Cleaning", "1-Klick-Reinigung", "Nettoyage en 1 clic", "Limpieza en 1 clic", "1-klik-opschoning",
          "Limpeza em 1 clique"),
    435: ("Use default settings", "Standardeinstellungen verwenden", "Utiliser les paramètres par défaut",
          "Usar la configuración predeterminada", "Standaardinstellingen gebruiken", "Usar as configurações padrão"),
    440: ("Use module settings", "Einstellungen der Module verwenden", "Utiliser les paramètres des modules",
          "Usar la configuración de los módulos", "Instellingen van de modules gebruiken",
          "Usar as configurações dos módulos"),
    445: ("Start!", "Start!", "Démarrer !", "¡Iniciar!", "Start!", "Iniciar!"),
    450: ("The 1-Click Cleaning was cancelled.", "Die 1-Klick-Reinigung wurde abgebrochen.",
          "Le nettoyage en 1 clic a été annulé.", "La limpieza en 1 clic se ha cancelado.",
          "De 1-klik-opschoning is geannuleerd.", "A limpeza em 1 clique foi cancelada."),
    455: ("The 1-Click Cleaning has finished.", "Die 1-Klick-Reinigung ist abgeschlossen.",
          "Le nettoyage en 1 clic est terminé.", "La limpieza en 1 clic ha terminado.",
          "De 1-klik-opschoning is voltooid.", "A limpeza em 1 clique foi concluída."),
    460: ("The modules worked with the default settings.", "Die Module arbeiteten mit den Standardeinstellungen.",
          "Les modules ont utilisé les paramètres par défaut.",
          "Los módulos han trabajado con la configuración predeterminada.",
          "De modules werkten met de standaardinstellingen.", "Os módulos trabalharam com as configurações padrão."),
    465: ("The modules worked with their own settings.", "Die Module arbeiteten mit ihren eigenen Einstellungen.",
          "Les modules ont utilisé leurs propres paramètres.", "Los módulos han trabajado con su propia configuración.",
          "De modules werkten met hun eigen instellingen.",
          "Os módulos trabalharam com as suas próprias configurações."),
    470: ("&Start Screen", "&Startbildschirm", "Écran d'&accueil", "Pantalla de &inicio", "&Startscherm",
          "Tela &inicial"),
    500: ("1-Click Cleaning finished", "1-Klick-Reinigung abgeschlossen", "Nettoyage en 1 clic terminé",
          "Limpieza en 1 clic terminada", "1-klik-opschoning voltooid", "Limpeza em 1 clique concluída"),
    505: ("1-Click Cleaning is running", "1-Klick-Reinigung läuft", "Nettoyage en 1 clic en cours",
          "Limpieza en 1 clic en curso", "1-klik-opschoning loopt", "Limpeza em 1 clique em andamento"),
    510: ("&1-Click Settings", "&1-Klick-Einstellungen", "Paramètres du &1 clic", "Configuración de &1 clic",
          "&1-klik-instellingen", "Configurações de &1 clique"),
    515: ("1-Click Cleaning search limitation", "Suchbegrenzung der 1-Klick-Reinigung",
          "Limite de recherche du nettoyage en 1 clic", "Límite de búsqueda de la limpieza en 1 clic",
          "Zoekgrens van de 1-klik-opschoning", "Limite de pesquisa da limpeza em 1 clique"),
    520: ("Stop when this amount of items were checked", "Anhalten, wenn so viele Einträge geprüft wurden",
          "Arrêter après ce nombre d'éléments vérifiés", "Detener tras comprobar esta cantidad de elementos",
          "Stoppen wanneer dit aantal items is gecontroleerd", "Parar quando esta quantidade de itens for verificada"),

    # Modules that cannot be started or do not answer, and stores that cannot be used.
    # %1 is the module's name, %2 a path.
    600: ('The module %1 could not be started: its program "%2" is missing or cannot be run.',
          'Das Modul %1 konnte nicht gestartet werden: Sein Programm "%2" fehlt oder lässt sich nicht ausführen.',
          'Le module %1 n\'a pas pu être lancé : son programme "%2" est absent ou ne peut pas être exécuté.',
          'No se pudo iniciar el módulo %1: su programa "%2" no existe o no se puede ejecutar.',
          'De module %1 kon niet worden gestart: het programma "%2" ontbreekt of kan niet worden uitgevoerd.',
          'Não foi possível iniciar o módulo %1: o programa "%2" não existe ou não pode ser executado.'),
    605: ("The module %1 did not report its progress. Its step of the 1-Click Cleaning was ended.",
          "Das Modul %1 hat seinen Fortschritt nicht gemeldet. Sein Schritt der 1-Klick-Reinigung wurde beendet.",
          "Le module %1 n'a pas signalé sa progression. Son étape du nettoyage en 1 clic a été arrêtée.",
          "El módulo %1 no ha informado de su progreso. Su paso de la limpieza en 1 clic se ha terminado.",
          "De module %1 heeft zijn voortgang niet gemeld. Zijn stap van de 1-klik-opschoning is beëindigd.",
          "O módulo %1 não informou o seu progresso. A sua etapa da limpeza em 1 clique foi encerrada."),
    610: ('The settings of %1 could not be read or written; they were left as they were: "%2"',
          'Die Einstellungen von %1 konnten nicht gelesen oder geschrieben werden; sie blieben unverändert: "%2"',
          'Les paramètres de %1 n\'ont pas pu être lus ou écrits ; ils ont été laissés tels quels : "%2"',
          'No se pudo leer o escribir la configuración de %1; se ha dejado tal como estaba: "%2"',
          'De instellingen van %1 konden niet worden gelezen of geschreven; ze zijn ongewijzigd gelaten: "%2"',
          'Não foi possível ler ou gravar as configurações de %1; elas foram deixadas como estavam: "%2"'),
    615: ('The settings of %1 keep one byte per character and cannot hold this text; they were left as they were: "%2"',
          'Die Einstellungen von %1 speichern ein Byte je Zeichen und können diesen Text nicht aufnehmen; sie '
          'blieben unverändert: "%2"',
          'Les paramètres de %1 gardent un octet par caractère et ne peuvent pas contenir ce texte ; ils ont été '
          'laissés tels quels : "%2"',
          'La configuración de %1 guarda un byte por carácter y no puede contener este texto; se ha dejado tal como '
          'estaba: "%2"',
          'De instellingen van %1 bewaren één byte per teken en kunnen deze tekst niet bevatten; ze zijn ongewijzigd '
          'gelaten: "%2"',
          'As configurações de %1 guardam um byte por caractere e não podem conter este texto; elas foram deixadas '
          'como estavam: "%2"'),

    # About box.
    620: ("About Quorvexsoft Brisvane", "Info über Quorvexsoft Brisvane", "À propos de Quorvexsoft Brisvane",
          "Acerca de Quorvexsoft Brisvane", "Over Quorvexsoft Brisvane", "Sobre o Quorvexsoft Brisvane"),
    625: ("Quorvexsoft Brisvane Version 7", "Quorvexsoft Brisvane Version 7", "Quorvexsoft Brisvane version 7",
          "Quorvexsoft Brisvane versión 7", "Quorvexsoft Brisvane versie 7", "Quorvexsoft Brisvane versão 7"),
    630: ("The shell of the Quorvexsoft suite.", "Die Zentrale der Quorvexsoft-Programme.",
          "Le poste de commande de la suite Quorvexsoft.", "El centro de mando de la suite Quorvexsoft.",
          "Het startpunt van de Quorvexsoft-suite.", "O centro de comando da suíte Quorvexsoft."),
    635: SYSTEM_DEFAULT_LANGUAGE,
}

BRISVANE_NAMES = {
    1: "SelectLanguage", 2: "LanguageName", 5: "MessageCaption", 10: "Introduction",
    15: "DescribeFlintrask", 20: "DescribeWickerlume", 25: "DescribeOstrelle", 30: "DescribePembrast",
    35: "DescribeVarnholt",
    200: "MenuFile", 210: "MenuLanguage", 212: "MenuExit", 215: "MenuModules",
    217: "MenuFlintrask", 218: "MenuWickerlume", 219: "MenuOstrelle", 220: "MenuPembrast", 221: "MenuVarnholt",
    222: "MenuTressivon", 245: "MenuHelp", 250: "MenuHelpFileFor", 255: "MenuWebsite", 260: "MenuAbout",
    400: "Cancel", 405: "Step1Group", 410: "Step2Group", 415: "Step3Group",
    420: "Step1Status", 422: "Step2Status", 424: "Step3Status",
    430: "OneClickGroup", 435: "UseDefaultSettings", 440: "UseModuleSettings", 445: "Start",
    450: "OneClickCancelled", 455: "OneClickFinished", 460: "RanWithDefaults", 465: "RanWithModuleSettings",
    470: "MenuStartScreen", 500: "HeadlineFinished", 505: "HeadlineRunning", 510: "MenuOneClickSettings",
    515: "SearchLimitGroup", 520: "SearchLimitExplained",
    600: "ModuleNotStarted", 605: "ModuleDidNotAnswer", 610: "ModuleStoreUnusable", 615: "ModuleStoreEightBit",
    620: "AboutCaption", 625: "AboutVersion", 630: "AboutText", 635: "SystemDefaultLanguage",
}
add_error_texts(BRISVANE, BRISVANE_NAMES, 640, 5)

# The stand-in modules: a small window that tells what it was started with.
STANDIN = {
    1: SELECT_LANGUAGE,
    2: NAMES_OF_LANGUAGES,
    5: ("Quorvexsoft %1",) * 6,
    10: ("This program stands in for %1 and changes nothing on your computer.",
         "Dieses Programm steht für %1 und ändert nichts auf Ihrem Computer.",
         "Ce programme remplace %1 et ne modifie rien sur votre ordinateur.",
         "Este programa sustituye a %1 y no cambia nada en su ordenador.",
         "Dit programma staat in voor %1 en verandert niets op uw computer.",
         "Este programa substitui o %1 e não altera nada no seu computador."),
    15: ("It was started with these settings:", "Es wurde mit diesen Einstellungen gestartet:",
         "Il a été lancé avec ces paramètres :", "Se ha iniciado con esta configuración:",
         "Het is gestart met deze instellingen:", "Ele foi iniciado com estas configurações:"),
    20: ("Close", "Schließen", "Fermer", "Cerrar", "Sluiten", "Fechar"),
}

STANDIN_NAMES = {1: "SelectLanguage", 2: "LanguageName", 5: "Caption", 10: "StandsIn", 15: "StartedWith",
                 20: "Close"}

# Product ids: each names its language file.
BRISVANE_ID = "0020"
MODULE_IDS = [("flintrask", "Flintrask", "0021"), ("wickerlume", "Wickerlume", "0022"),
              ("ostrelle", "Ostrelle", "0023"), ("pembrast", "Pembrast", "0024"), ("tressivon", "Tressivon", "0027")]


GENERATOR = "make-brisvane-language.py"


def main():
    check(BRISVANE, BRISVANE_NAMES)
    check(STANDIN, STANDIN_NAMES)
    write("data/brisvane/%strl.ini" % BRISVANE_ID,
          render("Quorvexsoft Brisvane - texts of the user interface", BRISVANE))
    write("brisvane/TextNumbers.h", render_numbers(GENERATOR, "%strl.ini" % BRISVANE_ID, BRISVANE, BRISVANE_NAMES, "txt"))
    for folder, name, product in MODULE_IDS:
        # The module's own name stands in its texts; %1 is filled here.
        write("data/%s/%strl.ini" % (folder, product),
              render("Quorvexsoft %s - texts of the user interface" % name, STANDIN, fill=name))
    write("standins/StandinTexts.h", render_numbers(GENERATOR, "the stand-in modules' language files", STANDIN, STANDIN_NAMES,
                                                     "standin_txt"))


if __name__ == "__main__":
    sys.exit(main())
