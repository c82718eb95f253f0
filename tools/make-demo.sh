#!/usr/bin/env bash
# Prepares a work folder for the demo account "demo" in local mode.
#
#   tools/make-demo.sh WORKDIR [--reset]
#
# WORKDIR receives CONNEXION.txt (MODE "LOCAL", saved login of the user
# "demo") and, under WORKDIR/server/zolink/zobox/, the account tree that
# stands for the server: zo_demo/ with the login file, the media index, the
# media and one folder per screen (posters, box files), plus the shared
# DEFAULT/ templates and Production/Reports/.
#
# An already prepared folder is left alone (edits and deployments made in it
# survive); --reset wipes WORKDIR first. The parameter files are written by
# paramtool: PARAMTOOL=/path/to/paramtool, else build/bin/paramtool.
#
# Start the console on it with:  ZOMANAGER_WORKDIR=WORKDIR scripts/run
# (scripts/run also serves the preview's live content, weather, page likes
# and the demo news feed, on loopback and points the console at it; started
# without those addresses the preview would ask the outside services).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
usage() { echo "usage: $0 WORKDIR [--reset]" >&2; exit 64; }

[ $# -ge 1 ] || usage
WORK=$1
RESET=0
[ "${2:-}" = "--reset" ] && RESET=1
[ $# -le 2 ] || usage

PARAMTOOL=${PARAMTOOL:-$ROOT/build/bin/paramtool}
if [ ! -x "$PARAMTOOL" ]; then
  echo "make-demo: paramtool not found at $PARAMTOOL (build the project or set PARAMTOOL)" >&2
  exit 1
fi

if [ "$RESET" = 1 ] && [ -e "$WORK" ]; then
  case "$(cd "$WORK" && pwd)" in
    / | "$HOME" | "$ROOT") echo "make-demo: refusing to wipe $WORK" >&2; exit 1 ;;
  esac
  rm -rf "$WORK"
fi

SERVER=$WORK/server/zolink/zobox
ACCOUNT=$SERVER/zo_demo
if [ -f "$WORK/CONNEXION.txt" ] && [ -f "$ACCOUNT/LoginCrypt.orvex" ]; then
  echo "make-demo: $WORK is already prepared (use --reset to start again)"
  exit 0
fi

mkdir -p "$WORK" "$SERVER"
WORK=$(cd "$WORK" && pwd)
SERVER=$WORK/server/zolink/zobox
ACCOUNT=$SERVER/zo_demo
cp -R "$ROOT/demo/zolink/zobox/." "$SERVER/"
mkdir -p "$ACCOUNT/IMAGE" "$ACCOUNT/VIDEO" "$ACCOUNT/TEXT" "$SERVER/DEFAULT" "$SERVER/Production/Reports"

# param FILE: writes the "KEY<TAB>VALUE" lines read on stdin into a new
# parameter file, all keys in one paramtool call.
param() {
  local file=$1 key value pairs=()
  rm -f "$file"
  "$PARAMTOOL" new "$file"
  while IFS=$'\t' read -r key value; do
    [ -n "$key" ] || continue
    pairs+=("$key" "$value")
  done
  "$PARAMTOOL" set "$file" "${pairs[@]}"
}

md5() { md5sum "$1" | cut -d' ' -f1 | tr 'a-f' 'A-F'; }
join() { local IFS='|'; echo "$*"; }

# A short looping clip for the video lists, when ffmpeg is there.
if command -v ffmpeg >/dev/null 2>&1 && [ ! -f "$ACCOUNT/VIDEO/demo-boucle.mp4" ]; then
  ffmpeg -loglevel error -f lavfi -i testsrc=size=320x180:rate=15 -t 3 -pix_fmt yuv420p -c:v libx264 \
    "$ACCOUNT/VIDEO/demo-boucle.mp4" || true
fi

# --- Media index ------------------------------------------------------------
paths=() sums=() sizes=() grants=()
for f in "$ACCOUNT"/IMAGE/* "$ACCOUNT"/VIDEO/*; do
  [ -f "$f" ] || continue
  rel=${f#"$ACCOUNT"/}
  paths+=("$rel"); sums+=("$(md5 "$f")"); sizes+=("$(stat -c %s "$f")"); grants+=("ADMINISTRATEUR")
done
param "$ACCOUNT/MEDIA.orvex" <<EOF
FILEPATH	$(join "${paths[@]}")
FILECHK	$(join "${sums[@]}")
FILESIZE	$(join "${sizes[@]}")
FILEPATHPERMISSION	$(join "${grants[@]}")
ID	1
EOF

# --- Login file -------------------------------------------------------------
param "$ACCOUNT/LoginCrypt.orvex" <<'EOF'
UTILISATEUR	demo
MOTDEPASSE	demo
TYPECOMPTE	ADMINISTRATEUR
USERLIST	demo|accueil
USERPASSWORD	demo|accueil2024
USERTYPE	ADMINISTRATEUR|UTILISATEUR
USERPERMISSION	1111111111111111;60;20|1000011111010010;30;10
USERNOM	Compte de démonstration|Agent d'accueil
USEREMAIL	demo@example.com|accueil@example.com
USERTELEPHONE	04 67 00 00 00|
PLAYPERMISSION	Accueil;Restaurant;Salles de réunion;PLAYLIST-Promo|Accueil
CATEGORYLIST	Accueil|Restaurant|Salles de réunion
CATEGORYELEMENTS	10234;10235|10417;10418|10502
FILTRESLIST	Rez-de-chaussée
FILTRESELEMENTS	10234;10235;10417
PLAYLISTNAME	PLAYLIST-Promo
PLAYLISTELEMENTS	10234;10417
PLAYERLIST	10234|10235|10417|10418|10502
PLAYERLISTNAME	Hall d'entrée|Borne d'accueil|Salle du restaurant|Terrasse|Salle Horizon
PLAYERLISTTOPLAYLIST	PLAYLIST-Promo||PLAYLIST-Promo||
EOF

# --- Screens ------------------------------------------------------------------
# The news posters' feed: the demo's own, served on loopback by scripts/run
# (server/live/router.php); a demo reaches nothing outside this machine.
RSS=${ZO_DEMO_FEED_URL:-http://127.0.0.1:18380/demo/actualites.xml}

# poster_list FOLDER ROTATION ZONES then one "type|delay|image|name|zone" line
# per poster on stdin.
poster_list() {
  local folder=$1 rotation=$2 zones=$3
  local types=() delays=() images=() chks=() names=() numbers=() empty=() opac=() rss=() rssd=() zip=() lang=() city=()
  local type delay image name zone
  while IFS='|' read -r type delay image name zone; do
    [ -n "$delay" ] || continue
    types+=("$type"); delays+=("$delay"); names+=("$name"); numbers+=("$zone"); empty+=("")
    opac+=("100"); rss+=("$RSS"); rssd+=("10000"); zip+=("34000"); lang+=("fr"); city+=("Montpellier")
    if [ -n "$image" ]; then
      images+=("IMAGE/$image"); chks+=("$(md5 "$ACCOUNT/IMAGE/$image")")
    else
      images+=(""); chks+=("")
    fi
  done
  mkdir -p "$ACCOUNT/$folder"
  param "$ACCOUNT/$folder/PLAYER.orvex" <<EOF
SLIDETYPE	$(join "${types[@]}")
SLIDEDELAY	$(join "${delays[@]}")
SLIDENAMEIMAGE	$(join "${images[@]}")
SLIDENAMEIMAGECHK	$(join "${chks[@]}")
SLIDENAMEVIDEO	$(join "${empty[@]}")
SLIDENAMEVIDEOCHK	$(join "${empty[@]}")
SLIDENAMETXT	$(join "${empty[@]}")
SLIDENAMETXTCHK	$(join "${empty[@]}")
SLIDEOPACITY	$(join "${opac[@]}")
DATEDEBUT	$(join "${empty[@]}")
HEUREDEBUT	$(join "${empty[@]}")
DATEFIN	$(join "${empty[@]}")
HEUREFIN	$(join "${empty[@]}")
NOMAFFICHE	$(join "${names[@]}")
DATEDEBUT1	$(join "${empty[@]}")
HEUREDEBUT1	$(join "${empty[@]}")
DATEFIN1	$(join "${empty[@]}")
HEUREFIN1	$(join "${empty[@]}")
JOURSSEMAINE	$(join "${empty[@]}")
JOURSSEMAINE1	$(join "${empty[@]}")
NUMEROECRAN	$(join "${numbers[@]}")
SLIDERSSADRESSE	$(join "${rss[@]}")
SLIDERSSDELAY	$(join "${rssd[@]}")
WIDGETMETEOZIP	$(join "${zip[@]}")
WIDGETMETEOLANGUE	$(join "${lang[@]}")
WIDGETMETEOCITY	$(join "${city[@]}")
CONFIGECRAN	$zones
ROTATION2	$rotation
ECRANLARGEUR	-1
ECRANHAUTEUR	-1
INTERACTION	NON
POWERTIME	07:00|22:00|1234567
POWERTIME1	|
WEBAPPURL	
WEBAPPTIMEOUT	
NETWORK	|
WEBSITE	
LINKSITE	
VERSION	
ID	1
EOF
}

# box_files SERIAL CODE NAME CITY PLAYLISTS
box_files() {
  local serial=$1 code=$2 name=$3 city=$4 playlists=$5 dir=$ACCOUNT/$1
  param "$dir/BOX.orvex" <<EOF
MARQUE	Orvex
MODELE	Zobox
NUMEROSERIE	$serial
VERSION	2.4.1
DATEFABRICATION	12/03/2021
DATEMISEAJOUR	02/05/2024
CODE	$code
EOF
  param "$dir/INFO.orvex" <<EOF
NOM_PROPRIETAIRE	Brasserie du Port
ADRESSE1_PROPRIETAIRE	12 quai de la Fontaine
ADRESSE2_PROPRIETAIRE	
CODEPOSTAL_PROPRIETAIRE	34000
VILLE_PROPRIETAIRE	Montpellier
NOMCONTACT_PROPRIETAIRE	Claire Martin
EMAIL_PROPRIETAIRE	contact@example.com
TEL_PROPRIETAIRE	04 67 00 00 00
FAX_PROPRIETAIRE	
NOM_POSITION	$name
EMPLACEMENT_POSITION	Rez-de-chaussée
ADRESSE1_POSITION	12 quai de la Fontaine
ADRESSE2_POSITION	
CODEPOSTAL_POSITION	34000
VILLE_POSITION	$city
EMAIL_POSITION	
TEL_POSITION	
FAX_POSITION	
LATITUDE_POSITION	43.6108
LONGITUDE_POSITION	3.8767
EOF
  # A written file's EMPREINTE is always its own fingerprint: the box's copy
  # of the poster list fingerprint cannot be set through a key write.
  param "$dir/STATUS.orvex" <<EOF
STATE	2
CONNECT	1
EOF
  param "$dir/STAT.orvex" <<'EOF'
DIFFUSIONS	0
EOF
  printf '%s\n' "$(date '+%Y-%m-%d %H:%M:%S') Démarrage du boîtier $serial" \
    "$(date '+%Y-%m-%d %H:%M:%S') Affiches à jour" > "$dir/EVENTS.orvex"
  if [ -n "$playlists" ]; then
    param "$dir/PLAYLIST.orvex" <<EOF
PLAYLIST	$playlists
EOF
  fi
}

poster_list 10234 0 0-0-100-100 <<'EOF'
|8|bienvenue.jpg|Bienvenue|1
|6|promo-cafe.jpg|Café offert|1
WIDGETHEURE|10||Horloge|1
EOF
box_files 10234 3F2A91C07B "Hall d'entrée" Montpellier PLAYLIST-Promo

poster_list 10235 90 0-0-100-100 <<'EOF'
|10|bienvenue.jpg|Bienvenue|1
EOF
box_files 10235 8C41D2E9A0 "Borne d'accueil" Montpellier ""

poster_list 10417 0 "0-0-50-100|50-0-50-100" <<'EOF'
|12|menu-du-jour.jpg|Menu du jour|1
|6|promo-cafe.jpg|Café offert|2
WIDGETMETEO|8||Météo|2
EOF
box_files 10417 51B7E03D2F "Salle du restaurant" Montpellier PLAYLIST-Promo

poster_list 10418 0 "0-0-50-100|50-0-50-100" <<'EOF'
WIDGETRSS|15||Actualités|1
WIDGETMETEO|15||Météo|2
EOF
box_files 10418 A90C6F1E44 Terrasse Montpellier ""

poster_list 10502 90 0-0-100-100 <<'EOF'
|15|salle-horizon.jpg|Salle Horizon|1
EOF
box_files 10502 0D7E5B3C19 "Salle Horizon" Montpellier ""

poster_list PLAYLIST-Promo 0 0-0-100-100 <<'EOF'
|6|promo-cafe.jpg|Café offert|1
EOF
cp "$ACCOUNT/10234/INFO.orvex" "$ACCOUNT/PLAYLIST-Promo/INFO.orvex"

# Templates for a new screen, and the factory report of one screen that can
# be added (serial 10999, code 1A2B3C4D5E; also 12345, code 0A1B2C3D4E).
param "$SERVER/DEFAULT/PLAYER.orvex" <<EOF
SLIDETYPE	
SLIDEDELAY	5
SLIDEOPACITY	100
NOMAFFICHE	Affiche n°1
NUMEROECRAN	1
CONFIGECRAN	0-0-100-100
ROTATION2	0
ECRANLARGEUR	-1
ECRANHAUTEUR	-1
EOF
cp "$ACCOUNT/10234/INFO.orvex" "$SERVER/DEFAULT/INFO.orvex"
param "$SERVER/DEFAULT/STATUS.orvex" <<'EOF'
STATE	
EOF
param "$SERVER/DEFAULT/STAT.orvex" <<'EOF'
DIFFUSIONS	0
EOF
# Default picture of a new screen, and the shared folders that receive the
# validation files and the support reports.
mkdir -p "$SERVER/DEFAULT/IMAGE" "$SERVER/Validation" "$SERVER/ALERTE-ZoManager"
cp "$ROOT/resources/images/Paysage.png" "$SERVER/DEFAULT/IMAGE/OrvexPaysage-213425.png"
param "$SERVER/Production/Reports/12345_0A1B2C3D4E.orvex" <<'EOF'
MARQUE	Orvex
MODELE	Zobox
NUMEROSERIE	12345
VERSION	2.4.1
DATEFABRICATION	12/11/2026
DATEMISEAJOUR	12/11/2026
CODE	0A1B2C3D4E
EOF
param "$SERVER/Production/Reports/10999_1A2B3C4D5E.orvex" <<'EOF'
MARQUE	Orvex
MODELE	Zobox
NUMEROSERIE	10999
VERSION	2.4.1
DATEFABRICATION	05/09/2024
DATEMISEAJOUR	05/09/2024
CODE	1A2B3C4D5E
EOF

# --- Account connection file ---------------------------------------------------
param "$WORK/CONNEXION.txt" <<EOF
FTPSERVEUR	127.0.0.1
FTPLOGIN	demo
FTPPASSWORD	demo
MODE	LOCAL
MEDIASIZE	500
ALLOWDEPLOY	OUI
TYPECOMPTE	ADMINISTRATEUR
FTPPATH	/zolink/zobox/zo_demo
COMPTEADMIN	demo
COMPTEUSER	demo
LOCALPATH	$SERVER/
USERLOGIN	demo
PASSWORDLOGIN	demo
EOF

echo "make-demo: demo account ready in $WORK"
