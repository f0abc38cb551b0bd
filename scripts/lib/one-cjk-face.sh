# Has the programs started after it see one CJK face alone, as on a machine
# that has only that one installed: a fontconfig file of that face and
# DejaVu, with no system or user configuration. Sourced by scripts in
# scripts/, after debian-packages.sh.

# use_only_cjk_face FACE DIR : FACE is uming (AR PL UMing, what the window
# is drawn for) or noto (Noto Serif CJK SC, whose taller line the window
# must also fit); DIR holds the file and its cache. Exports FONTCONFIG_FILE.
use_only_cjk_face() {
  local face=$1 dir=$2 fonts
  case $face in
    uming)
      ensure_packages fonts-arphic-uming fonts-dejavu-core
      fonts='<dir>/usr/share/fonts/truetype/arphic</dir>' ;;
    noto)
      ensure_packages fonts-noto-cjk fonts-dejavu-core
      # The serif face's regular weight alone, not the sans or bold ones.
      fonts='<dir>/usr/share/fonts/opentype/noto</dir>
  <selectfont>
    <rejectfont><glob>/usr/share/fonts/opentype/noto/*</glob></rejectfont>
    <acceptfont><glob>/usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc</glob></acceptfont>
  </selectfont>' ;;
    *) echo "unknown face '$face': uming or noto" >&2; return 2 ;;
  esac
  mkdir -p "$dir"
  cat >"$dir/$face.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  $fonts
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$(realpath "$dir")/cache</cachedir>
</fontconfig>
CONF
  FONTCONFIG_FILE=$(realpath "$dir/$face.conf")
  export FONTCONFIG_FILE
}
