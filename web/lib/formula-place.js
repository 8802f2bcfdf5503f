// Where in a formula the expression checker's verdict points. The library answers with a code
// only; this walks the formula with the same tests, in the same order, to find the characters
// the first failing test looked at. Positions are in the formula as typed (spaces included).

const INFIX_SIGNS = "+*/&|<>";
const PREFIX_SIGNS = "-!";
const OTHER_ACCEPTED = ".()_";

const isLetter = (c) => /^[A-Za-z]$/.test(c);
const isDigit = (c) => /^[0-9]$/.test(c);
const isInfix = (c) => c !== "" && INFIX_SIGNS.includes(c);
const isPrefix = (c) => c !== "" && PREFIX_SIGNS.includes(c);
const isSign = (c) => isInfix(c) || isPrefix(c);
const isAccepted = (c) => isLetter(c) || isDigit(c) || isSign(c) || OTHER_ACCEPTED.includes(c);

/**
 * The place {start, end} (end excluded, in UTF-16 units of `formula`) the checker's `code`
 * points at, or null when the code names no place (1, or an unknown code). `variables` are
 * the defined names (null: names were not looked up).
 */
export function faultPlace(code, formula, variables = null) {
  // The tests see the formula without its spaces; `at` maps back to the typed text.
  const at = [];
  for (let i = 0; i < formula.length; ++i) if (formula[i] !== " ") at.push(i);
  const text = at.map((i) => formula[i]).join("");
  const char = (i) => (i >= 0 && i < text.length ? text[i] : "");
  const span = (first, last = first) => ({ start: at[first], end: at[last] + 1 });

  switch (code) {
    case -20: {
      let depth = 0;
      for (let i = 0; i < text.length; ++i) {
        depth += text[i] === "(" ? 1 : text[i] === ")" ? -1 : 0;
        if (depth < 0) return span(i);
      }
      return null;
    }
    case -21: {
      // The innermost parenthesis still open at the end.
      const open = [];
      for (let i = 0; i < text.length; ++i) {
        if (text[i] === "(") open.push(i);
        else if (text[i] === ")") open.pop();
      }
      return open.length ? span(open[open.length - 1]) : null;
    }
    case -29: {
      for (let i = 0; i < text.length; ++i) if (!isAccepted(text[i])) return span(i);
      return null;
    }
    case -28:
    case -22: {
      for (let i = 0; i + 1 < text.length; ++i) {
        const pair = isLetter(text[i]) && isDigit(text[i + 1]) ? -28
          : isDigit(text[i]) && isLetter(text[i + 1]) ? -22 : 0;
        if (pair !== 0) return pair === code ? span(i, i + 1) : null;
      }
      return null;
    }
    case -25:
      return text.length && isInfix(text[0]) ? span(0) : null;
    case -27:
      return text.length && isSign(text[text.length - 1]) ? span(text.length - 1) : null;
    case -30: {
      let run = 0;
      for (let i = 0; i < text.length; ++i) {
        run = isLetter(text[i]) ? run + 1 : 0;
        if (run === 4) {
          let last = i;
          while (isLetter(char(last + 1))) ++last;
          return span(i - 3, last);
        }
      }
      return null;
    }
    case -23:
    case -24: {
      for (let i = 0; i < text.length; ++i) {
        const c = text[i];
        const next = char(i + 1);
        if ((isInfix(c) && isInfix(next)) || (isPrefix(c) && isSign(next)))
          return code === -23 ? span(i, i + 1) : null;
        if (c === "." && !(isDigit(char(i - 1)) && isDigit(next)))
          return code === -24 ? span(i) : null;
      }
      return null;
    }
    case -26: {
      if (variables === null) return null;
      const known = new Set(variables);
      for (let i = 0; i < text.length; ) {
        if (!isLetter(text[i])) {
          ++i;
          continue;
        }
        let end = i;
        while (isLetter(char(end))) ++end;
        if (!known.has(text.slice(i, end))) return span(i, end - 1);
        i = end;
      }
      return null;
    }
    default:
      return null;
  }
}
