# Checks one page of the help (hilfe/*.htm): tidy finds neither an error nor a
# warning, the page runs no script, and every link and picture it names
# (anchors included) is there. Says what is wrong; status 0 when nothing is.
scrivlet_check_help_page() {
    local page=$1 folder status=0 report ref file anchor
    folder=$(dirname "$page")
    if ! report=$(tidy -e -q "$page" 2>&1); then
        printf '%s: tidy:\n%s\n' "$page" "$report" >&2
        status=1
    fi
    if grep -qiE '<script|javascript:|[[:space:]]on[a-z]+=' "$page"; then
        echo "$page: holds a script" >&2
        status=1
    fi
    while IFS= read -r ref; do
        case $ref in
            http:* | https:* | mailto:*) continue ;;
        esac
        file=${ref%%#*}
        anchor=""
        [ "$file" = "$ref" ] || anchor=${ref#*#}
        [ -n "$file" ] || file=$(basename "$page")
        if [ ! -f "$folder/$file" ]; then
            if [[ $file == bilder/* ]]; then
                echo "$page: the picture $file is missing (scripts/screenshots takes it)" >&2
            else
                echo "$page: links to $file, which is missing" >&2
            fi
            status=1
        elif [ -n "$anchor" ] && ! grep -q "id=\"$anchor\"" "$folder/$file"; then
            echo "$page: links to $file#$anchor, which has no such place" >&2
            status=1
        fi
    done < <(grep -oE '(href|src)="[^"]*"' "$page" | sed -E 's/^(href|src)="(.*)"$/\2/')
    return "$status"
}
