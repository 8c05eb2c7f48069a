#!/usr/bin/env bash
# Writes a fontconfig configuration that sees only the fonts of the packages the install steps
# bring: those of scripts/deps.sh (with the extra packages of the caller), the Build-Depends of
# debian/control, and every package they depend on, as installed here. A test that needs a font
# from anywhere else then fails on every machine, not only on a fresh one.
#
#   bash scripts/test-fonts.sh FOLDER    prints the path of FOLDER/fonts.conf
#
# The fonts are linked into FOLDER/fonts, the only folder the configuration names; the rules of
# /etc/fonts/conf.d (aliases such as Arial -> Liberation Sans, hinting) are kept, except those
# that read the user's or the machine's own configuration, which may add folders.
set -euo pipefail
cd "$(dirname "$0")/.."

out=$(realpath -m "${1:?usage: test-fonts.sh FOLDER}")
mkdir -p "$out"
rm -rf "$out/fonts"
mkdir -p "$out/fonts" "$out/cache"

# The roots: the package names of deps.sh's list and of debian/control's Build-Depends.
roots=$(
  {
    sed -n '/^packages=(/,/^)/p' scripts/deps.sh | sed '1d;$d'
    echo "${LUMELLE_EXTRA_PACKAGES:-}"
    sed -n '/^Build-Depends:/,/^[A-Z]/p' debian/control | sed '$d' | sed 's/^Build-Depends://' |
      tr ',' '\n' | sed 's/[(<\[].*//'
  } | tr ' \t' '\n\n' | grep -E '^[a-z0-9][a-z0-9.+-]+$' | sort -u
)

# Every installed package with what it depends on and what it provides, one line each:
# NAME<TAB>DEPENDS,PRE-DEPENDS<TAB>PROVIDES (architecture qualifiers dropped).
table=$(dpkg-query -W -f='${db:Status-Abbrev}\t${Package}\t${Depends}, ${Pre-Depends}\t${Provides}\n' |
  awk -F'\t' '$1 ~ /^ii/ { print $2 "\t" $3 "\t" $4 }')

# Walk the dependencies. Of alternatives, the first one installed is taken, as apt would have;
# a virtual name stands for the installed packages that provide it.
packages=$(
  awk -F'\t' -v roots="$roots" '
    function clean(s) { gsub(/\([^)]*\)|\[[^]]*\]|<[^>]*>/, "", s); gsub(/:[a-z0-9]+/, "", s);
                        gsub(/[ \t]/, "", s); return s }
    { installed[$1] = 1; deps[$1] = $2
      n = split($3, pv, ","); for (i = 1; i <= n; i++) { v = clean(pv[i]); if (v != "") provider[v] = provider[v] " " $1 } }
    function resolve(name,   list, k, m) {
      if (name in installed) return name
      if (name in provider) return provider[name]
      return ""
    }
    END {
      n = split(roots, queue, "\n"); head = 1
      while (head <= n) {
        name = queue[head++]; if (name == "" || name in seen) continue
        got = resolve(name); if (got == "") continue
        m = split(got, each, " ")
        for (j = 1; j <= m; j++) {
          p = each[j]; if (p == "" || p in seen) continue
          seen[p] = 1; print p
          c = split(deps[p], clauses, ",")
          for (i = 1; i <= c; i++) {
            a = split(clauses[i], alts, "|")
            for (k = 1; k <= a; k++) {
              alt = clean(alts[k]); if (alt == "") continue
              if (resolve(alt) != "") { queue[++n] = alt; break }
            }
          }
        }
        seen[name] = 1
      }
    }' <<<"$table" | sort -u
)

count=0
while IFS= read -r file; do
  case "$file" in
  *.ttf | *.otf | *.ttc | *.otc | *.pfb | *.pcf.gz | *.woff | *.woff2)
    [ -f "$file" ] || continue
    # Names are unique by their package path: flatten it into the link's name.
    ln -sf "$file" "$out/fonts/$(echo "${file#/}" | tr '/' '_')"
    count=$((count + 1))
    ;;
  esac
done < <(xargs -r dpkg -L 2>/dev/null <<<"$packages" | sort -u)

{
  echo '<?xml version="1.0"?>'
  echo '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">'
  echo '<!-- Made by scripts/test-fonts.sh: only the fonts of the packages the install steps bring. -->'
  echo '<fontconfig>'
  echo "  <dir>$out/fonts</dir>"
  echo "  <cachedir>$out/cache</cachedir>"
  for rule in /etc/fonts/conf.d/*.conf; do
    case "$(basename "$rule")" in
    50-user.conf | 51-local.conf) ;;
    *) echo "  <include ignore_missing=\"yes\">$rule</include>" ;;
    esac
  done
  echo '</fontconfig>'
} >"$out/fonts.conf"

if [ "$count" = 0 ]; then
  echo "test-fonts.sh: no font file found in the packages the install steps bring" >&2
  exit 1
fi
echo "$out/fonts.conf"
