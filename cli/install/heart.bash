# Bash completion for heart: verbs, options, record field names (--set) and
# settings entries (--preset), the last two asked of heart itself so they
# always match the installed plug-in.

_heart_fields() {
  "$1" fields 2>/dev/null | awk 'NR > 1 && NF == 0 { exit } NR > 1 { print $1 }'
}

_heart_presets() {
  "$1" presets 2>/dev/null |
    awk '/^Heart presets/ { exit } match($0, /"[^"]*"/) { print substr($0, RSTART + 1, RLENGTH - 2) }'
}

_heart_verbs() {
  "$1" --help 2>/dev/null | awk '/^Subcommands:/ { listing = 1; next } listing && NF { print $1 }'
}

_heart() {
  local cur prev verb word i
  COMPREPLY=()
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}
  local heart=${COMP_WORDS[0]}
  local verbs
  verbs=$(_heart_verbs "$heart")
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    case " "$verbs" " in *[[:space:]]"$word"[[:space:]]*) verb=$word; break ;; esac
  done

  case $prev in
    --set)
      local IFS=$'\n'
      COMPREPLY=($(compgen -S = -W "$(_heart_fields "$heart")" -- "$cur"))
      compopt -o nospace 2>/dev/null
      return ;;
    --preset)
      local IFS=$'\n'
      COMPREPLY=($(compgen -W "$(_heart_presets "$heart")" -- "${cur#\"}"))
      local k
      for k in "${!COMPREPLY[@]}"; do COMPREPLY[k]=$(printf '%q' "${COMPREPLY[k]}"); done
      return ;;
    --format) COMPREPLY=($(compgen -W "svg png pdf" -- "$cur")); return ;;
    --color-model) COMPREPLY=($(compgen -W "gray rgb cmyk" -- "$cur")); return ;;
    --heart-preset) COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9" -- "$cur")); return ;;
    -o|--output|--record|--from|--open|--edit|--script|--random-values|--plugin)
      COMPREPLY=($(compgen -f -- "$cur")); compopt -o filenames 2>/dev/null; return ;;
  esac

  local session="-o --output --format -q --quiet --record --no-record --save-record --set --seed
    --random-values --page --color-model --fill --stroke --stroke-width --from --open --edit --help"
  case $verb in
    "") COMPREPLY=($(compgen -W "$verbs --plugin --version --help" -- "$cur")) ;;
    run|studio)
      COMPREPLY=($(compgen -W "$session --preset --heart-preset --tumble --tweak --jitter --boost
        --no-preview" -- "$cur")) ;;
    dialog) COMPREPLY=($(compgen -W "$session --script" -- "$cur")) ;;
    record) COMPREPLY=($(compgen -W "defaults show pack -o --output --page-width --page-height
        --help" -- "$cur")) ;;
    *) COMPREPLY=($(compgen -W "--help" -- "$cur")) ;;
  esac
}

complete -F _heart heart
