<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AboutWindow</name>
    <message>
        <source>Songbinder %1</source>
        <translation>Songbinder %1</translation>
    </message>
    <message>
        <source>About Songbinder</source>
        <translation>Über Songbinder</translation>
    </message>
    <message>
        <source>Author:</source>
        <translation>Autor:</translation>
    </message>
    <message>
        <source>The Songbinder developers</source>
        <translation>Die Songbinder-Entwickler</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AddCommands</name>
    <message>
        <source>File is not in Root Path</source>
        <translation>Die Datei liegt nicht im Stammpfad</translation>
    </message>
</context>
<context>
    <name>Association</name>
    <message>
        <source>Access denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>The disk is full</source>
        <translation>Der Datenträger ist voll</translation>
    </message>
    <message>
        <source>The data could not be written</source>
        <translation>Die Daten konnten nicht geschrieben werden</translation>
    </message>
    <message>
        <source>The data could not be read</source>
        <translation>Die Daten konnten nicht gelesen werden</translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation>Fehler %1</translation>
    </message>
    <message>
        <source>Could not write %1
Reason: %2</source>
        <translation>%1 konnte nicht geschrieben werden
Grund: %2</translation>
    </message>
    <message>
        <source>Songbinder could not be registered as an editor of .m3u files.

%1</source>
        <translation>Songbinder konnte nicht als Editor für .m3u-Dateien eingetragen werden.

%1</translation>
    </message>
    <message>
        <source>Make this program the default app for editing .m3u files?</source>
        <translation>Dieses Programm als Standardprogramm zum Bearbeiten von .m3u-Dateien festlegen?</translation>
    </message>
    <message>
        <source>The file-type store %1 could not be read. It was kept as %2, and a new one was started.</source>
        <translation>Der Dateityp-Speicher %1 konnte nicht gelesen werden. Er wurde als %2 aufbewahrt, und ein neuer wurde angelegt.</translation>
    </message>
</context>
<context>
    <name>Closing</name>
    <message>
        <source>Save File Before Exiting?</source>
        <translation>Datei vor dem Beenden speichern?</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Songbinder</source>
        <translation>Songbinder</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Playlists (*.m3u *.m3u8)|*.m3u;*.m3u8|All Files (*.*)|*.*</source>
        <translation>Wiedergabelisten (*.m3u *.m3u8)|*.m3u;*.m3u8|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Öffnen...</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Save Current File First?</source>
        <translation>Aktuelle Datei zuerst speichern?</translation>
    </message>
    <message>
        <source>Save File First?</source>
        <translation>Datei zuerst speichern?</translation>
    </message>
    <message>
        <source>WARNING: Your playlist&apos;s path is not the same as your root folder. Continue?</source>
        <translation>WARNUNG: Der Ordner Ihrer Wiedergabeliste ist nicht Ihr Stammordner. Fortfahren?</translation>
    </message>
    <message>
        <source>Overwrite Existing File?</source>
        <translation>Vorhandene Datei überschreiben?</translation>
    </message>
    <message>
        <source>The playlist &quot;%1&quot; cannot be saved.
%2</source>
        <translation>Die Wiedergabeliste „%1“ kann nicht gespeichert werden.
%2</translation>
    </message>
    <message>
        <source>This playlist was changed by another program after it was opened. Overwrite it?</source>
        <translation>Diese Wiedergabeliste wurde nach dem Öffnen von einem anderen Programm geändert. Überschreiben?</translation>
    </message>
</context>
<context>
    <name>FindMovedFiles</name>
    <message>
        <source>Found:</source>
        <translation>Gefunden:</translation>
    </message>
    <message>
        <source>Ambiguous:</source>
        <translation>Mehrdeutig:</translation>
    </message>
    <message>
        <source>Not found:</source>
        <translation>Nicht gefunden:</translation>
    </message>
    <message>
        <source>Outside the root path:</source>
        <translation>Außerhalb des Stammpfads:</translation>
    </message>
    <message>
        <source>Already in the playlist:</source>
        <translation>Schon in der Wiedergabeliste:</translation>
    </message>
    <message numerus="yes">
        <source>and %Ln more</source>
        <translation>
            <numerusform>und %Ln weiterer</numerusform>
            <numerusform>und %Ln weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Found: %1
Ambiguous: %2
Not found: %3
Outside the root path: %4
Already in the playlist: %5</source>
        <translation>Gefunden: %1
Mehrdeutig: %2
Nicht gefunden: %3
Außerhalb des Stammpfads: %4
Schon in der Wiedergabeliste: %5</translation>
    </message>
    <message numerus="yes">
        <source>Update %Ln Entries?</source>
        <translation>
            <numerusform>%Ln Eintrag aktualisieren?</numerusform>
            <numerusform>%Ln Einträge aktualisieren?</numerusform>
        </translation>
    </message>
    <message>
        <source>No entry of the playlist is missing.</source>
        <translation>Kein Eintrag der Wiedergabeliste fehlt.</translation>
    </message>
    <message>
        <source>Listing the files in %1: %2 found</source>
        <translation>Dateien in %1 werden aufgelistet: %2 gefunden</translation>
    </message>
</context>
<context>
    <name>FolderTreeAdd</name>
    <message>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
    <message numerus="yes">
        <source>%Ln folders could not be read and were skipped. The first was:
%1

Reason: %2</source>
        <translation>
            <numerusform>Ein Ordner konnte nicht gelesen werden und wurde übersprungen:
%1

Grund: %2</numerusform>
            <numerusform>%Ln Ordner konnten nicht gelesen werden und wurden übersprungen. Der erste war:
%1

Grund: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Adding files from %1… %L2 found, %L3 added</source>
        <translation>Dateien aus %1 werden hinzugefügt… %L2 gefunden, %L3 hinzugefügt</translation>
    </message>
    <message numerus="yes">
        <source>Add Entire Dir was cancelled. %Ln files were added before it stopped.</source>
        <translation>
            <numerusform>Hinzufügen des ganzen Ordners wurde abgebrochen. %Ln Datei wurde vorher hinzugefügt.</numerusform>
            <numerusform>Hinzufügen des ganzen Ordners wurde abgebrochen. %Ln Dateien wurden vorher hinzugefügt.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GenreName</name>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
</context>
<context>
    <name>InformationRequest</name>
    <message>
        <source>Builds and edits .m3u playlists.</source>
        <translation>Erstellt und bearbeitet .m3u-Wiedergabelisten.</translation>
    </message>
    <message>
        <source>The playlist to open. Every argument together names one file; quotes are removed.</source>
        <translation>Die zu öffnende Wiedergabeliste. Alle Argumente zusammen benennen eine Datei; Anführungszeichen werden entfernt.</translation>
    </message>
    <message>
        <source>playlist</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <source>[PLAYLIST.m3u]</source>
        <translation>[WIEDERGABELISTE.m3u]</translation>
    </message>
    <message>
        <source>Shows this help and exits.</source>
        <translation>Zeigt diese Hilfe an und beendet das Programm.</translation>
    </message>
    <message>
        <source>Shows the version and exits.</source>
        <translation>Zeigt die Version an und beendet das Programm.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Songbinder</source>
        <translation>Songbinder</translation>
    </message>
    <message>
        <source>Drives</source>
        <translation>Laufwerke</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Make Root</source>
        <translation>Als Stamm</translation>
    </message>
    <message>
        <source>Add Entire Dir To Playlist</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Add Selected Files To Playist</source>
        <translation>Ausgewählte Dateien zur Liste hinzufügen</translation>
    </message>
    <message>
        <source>Current Playlist</source>
        <translation>Aktuelle Wiedergabeliste</translation>
    </message>
    <message>
        <source>Root:</source>
        <translation>Stamm:</translation>
    </message>
    <message>
        <source>Root path</source>
        <translation>Stammpfad</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>Clear root</source>
        <translation>Stamm entfernen</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <source>Remove Selected Items</source>
        <translation>Auswahl entfernen</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Öffnen...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Associate Program</source>
        <translation>Programm verknüpfen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Songbinder</translation>
    </message>
    <message>
        <source>Select All Files</source>
        <translation>Alle Dateien auswählen</translation>
    </message>
    <message>
        <source>Songbinder - %1</source>
        <translation>Songbinder - %1</translation>
    </message>
    <message>
        <source>Current Playlist (%1)</source>
        <translation>Aktuelle Wiedergabeliste (%1)</translation>
    </message>
    <message>
        <source>Cannot open the folder &quot;%1&quot;: %2</source>
        <translation>Der Ordner „%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Wiederholen: %1</translation>
    </message>
    <message numerus="yes">
        <source>Current Playlist (%1) - %Ln missing</source>
        <translation>
            <numerusform>Aktuelle Wiedergabeliste (%1) - %Ln fehlt</numerusform>
            <numerusform>Aktuelle Wiedergabeliste (%1) - %Ln fehlen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MissingEntriesCommands</name>
    <message>
        <source>Find Moved Files...</source>
        <translation>Verschobene Dateien suchen...</translation>
    </message>
    <message>
        <source>Remove Missing Entries</source>
        <translation>Fehlende Einträge entfernen</translation>
    </message>
    <message>
        <source>Find Moved Files</source>
        <translation>Verschobene Dateien suchen</translation>
    </message>
</context>
<context>
    <name>MissingEntriesWork</name>
    <message>
        <source>Looking for the entries&apos; files: %1 of %2</source>
        <translation>Dateien der Einträge werden gesucht: %1 von %2</translation>
    </message>
    <message>
        <source>Matching %1 missing entries</source>
        <translation>%1 fehlende Einträge werden zugeordnet</translation>
    </message>
</context>
<context>
    <name>NativeFileSystem</name>
    <message>
        <source>The file is too large (%1 MB).</source>
        <translation>Die Datei ist zu groß (%1 MB).</translation>
    </message>
    <message>
        <source>The file is too large.</source>
        <translation>Die Datei ist zu groß.</translation>
    </message>
</context>
<context>
    <name>PlaylistHistory</name>
    <message numerus="yes">
        <source>Add %Ln Files</source>
        <translation>
            <numerusform>%Ln Datei hinzufügen</numerusform>
            <numerusform>%Ln Dateien hinzufügen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Remove %Ln Entries</source>
        <translation>
            <numerusform>%Ln Eintrag entfernen</numerusform>
            <numerusform>%Ln Einträge entfernen</numerusform>
        </translation>
    </message>
    <message>
        <source>Make Root</source>
        <translation>Stamm festlegen</translation>
    </message>
    <message>
        <source>Clear Root</source>
        <translation>Stamm entfernen</translation>
    </message>
    <message>
        <source>Find Moved Files</source>
        <translation>Verschobene Dateien suchen</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>Not found: %1</source>
        <translation>Nicht gefunden: %1</translation>
    </message>
</context>
<context>
    <name>PlaylistReader</name>
    <message>
        <source>The first item in this list does not contain a full path. Assuming Root Path is &quot;%1&quot;</source>
        <translation>Der erste Eintrag dieser Liste enthält keinen vollständigen Pfad. Als Stammpfad wird „%1“ angenommen</translation>
    </message>
    <message>
        <source>Remove Files That No Longer Exist?</source>
        <translation>Nicht mehr vorhandene Dateien entfernen?</translation>
    </message>
    <message>
        <source>The playlist &quot;%1&quot; cannot be read.
%2</source>
        <translation>Die Wiedergabeliste „%1“ kann nicht gelesen werden.
%2</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>%1 wird gelesen...</translation>
    </message>
    <message>
        <source>Looking for the files of %1: %L2 of %L3</source>
        <translation>Dateien von %1 werden gesucht: %L2 von %L3</translation>
    </message>
    <message>
        <source>Putting the entries of %1 in order...</source>
        <translation>Die Einträge von %1 werden sortiert...</translation>
    </message>
</context>
<context>
    <name>RecentPlaylistsMenu</name>
    <message>
        <source>Open Recent</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Clear Menu</source>
        <translation>Liste leeren</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>Songbinder was closed without saving %1. Restore the unsaved changes?</source>
        <translation>Songbinder wurde beendet, ohne %1 zu speichern. Die ungespeicherten Änderungen wiederherstellen?</translation>
    </message>
</context>
<context>
    <name>RemoveMissingEntries</name>
    <message numerus="yes">
        <source>Remove %Ln entries whose files are missing?</source>
        <translation>
            <numerusform>%Ln Eintrag entfernen, dessen Datei fehlt?</numerusform>
            <numerusform>%Ln Einträge entfernen, deren Dateien fehlen?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RootCommands</name>
    <message>
        <source>Not all files are in that path</source>
        <translation>Nicht alle Dateien liegen in diesem Pfad</translation>
    </message>
</context>
<context>
    <name>TagMessage</name>
    <message>
        <source>No ID3 Tag Found</source>
        <translation>Kein ID3-Tag gefunden</translation>
    </message>
    <message>
        <source>Title: </source>
        <translation>Titel: </translation>
    </message>
    <message>
        <source>Artist: </source>
        <translation>Interpret: </translation>
    </message>
    <message>
        <source>Album: </source>
        <translation>Album: </translation>
    </message>
    <message>
        <source>Track: </source>
        <translation>Titelnummer: </translation>
    </message>
    <message>
        <source>Year: </source>
        <translation>Jahr: </translation>
    </message>
    <message>
        <source>Notes: </source>
        <translation>Kommentar: </translation>
    </message>
    <message>
        <source>Genre: </source>
        <translation>Genre: </translation>
    </message>
    <message>
        <source>ID3 Version: </source>
        <translation>ID3-Version: </translation>
    </message>
</context>
<context>
    <name>UnstorableNames</name>
    <message numerus="yes">
        <source>%Ln names are not valid UTF-8 text, so a playlist cannot hold them. They were skipped. The first was:
%1</source>
        <translation>
            <numerusform>Dieser Name ist kein gültiger UTF-8-Text und kann daher nicht in einer Wiedergabeliste stehen. Er wurde übersprungen:
%1</numerusform>
            <numerusform>%Ln Namen sind kein gültiger UTF-8-Text und können daher nicht in einer Wiedergabeliste stehen. Sie wurden übersprungen. Der erste war:
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln names hold a line break, so a playlist cannot hold them. They were skipped. The first was:
%1</source>
        <translation>
            <numerusform>Dieser Name enthält einen Zeilenumbruch und kann daher nicht in einer Wiedergabeliste stehen. Er wurde übersprungen:
%1</numerusform>
            <numerusform>%Ln Namen enthalten einen Zeilenumbruch und können daher nicht in einer Wiedergabeliste stehen. Sie wurden übersprungen. Der erste war:
%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WorkStatusBar</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
</TS>
