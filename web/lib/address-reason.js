// What failed in an address or an 'address:port' text, finer than the check's code: which field
// of the address, or why the port is not a port, in the words of the command-line tool. The
// codes come from the library; `limits` are its LIMITS.

// A port is a 16-bit number.
const LARGEST_PORT = 0xffff;

const withoutOuterSpaces = (text) => text.replace(/^ +| +$/g, "");
const allDigits = (text) => /^[0-9]+$/.test(text);
// strtol's reading: leading white space, a sign, digits; 0 when no digit follows.
const leadingNumber = (text) => {
  const match = /^[ \t\n\v\f\r]*([+-]?[0-9]+)/.exec(text);
  return match ? Number(match[1]) : 0;
};

/** Why the address check gave `code` for `address`. */
export function addressReason(address, code, limits) {
  // The fields as the check reads them: split at each '.', a trailing '.' leaving an empty one.
  const fields = address === "" ? [] : address.split(".");
  const value = (i) => leadingNumber(i + 1 === fields.length ? withoutOuterSpaces(fields[i]) : fields[i]);
  const firstField = (fails) => {
    const i = fields.findIndex((_, index) => fails(value(index)));
    return i < 0 ? "a field" : `field ${i + 1} ('${fields[i]}')`;
  };
  switch (code) {
    case limits.ADDRESS_NO_DOT:
      return `the address '${address}' has no '.'`;
    case limits.ADDRESS_FIELD_ABOVE_254:
      return `${firstField((v) => v > limits.ADDRESS_LARGEST_FIELD)} is above ${limits.ADDRESS_LARGEST_FIELD}`;
    case limits.ADDRESS_FIELD_NEGATIVE:
      return `${firstField((v) => v < 0)} is negative`;
    case limits.ADDRESS_NOT_FOUR_FIELDS:
      return `the address has ${fields.length} fields, not four`;
    case limits.ADDRESS_LAST_FIELD_NOT_A_NUMBER:
      return fields.length === 0 || withoutOuterSpaces(fields[fields.length - 1]) === ""
        ? "the last field is empty"
        : `the last field ('${fields[fields.length - 1]}') is not a number`;
    default:
      return "unknown code";
  }
}

// What keeps a number of this form from being a port: its sign, point or scale letter.
function notPlainBecause(form, limits) {
  const bits = form - limits.NUMBER_FORM;
  const parts = [];
  if ((bits & limits.NUMBER_NO_SIGN) === 0) parts.push("a sign");
  if ((bits & limits.NUMBER_HAS_POINT) !== 0) parts.push("a decimal point");
  if ((bits & limits.NUMBER_NO_SCALE_LETTER) === 0) parts.push("a scale letter");
  return parts.map((part, i) => (i === 0 ? "" : i + 1 === parts.length ? " and " : ", ") + part).join("");
}

/** Why the address-and-port check gave `code` for `endpoint`. */
export function endpointReason(endpoint, code, limits) {
  const colon = endpoint.indexOf(":");
  const address = colon < 0 ? endpoint : endpoint.slice(0, colon);
  const port = colon < 0 ? "" : withoutOuterSpaces(endpoint.slice(colon + 1));
  if (code === limits.ADDRESS_PART_TOO_LONG)
    return `the address part '${address}' is valid but longer than ${limits.ADDRESS_BYTES - 1} characters`;
  if (code === 0) {
    if (colon < 0) return "no ':' between the address and the port";
    if (port === "") return "the port is empty";
    if (port.includes(":")) return `a second ':' in the port '${port}'`;
    if (allDigits(port)) {
      if (port.length > 9 || Number(port) > LARGEST_PORT) return `the port ${port} is above ${LARGEST_PORT}`;
      if (endpoint.length - colon - 1 >= limits.FIELD_UNITS)
        return `the port part is longer than ${limits.FIELD_UNITS - 1} characters`;
    }
    return `the port '${port}' is not a number`;
  }
  if (code < 0 && -code < limits.ADDRESS_NO_DOT)
    return `the port '${port}' is not a plain number: it has ${notPlainBecause(-code, limits)}`;
  if (-code >= limits.ADDRESS_NO_DOT && -code <= limits.ADDRESS_LAST_FIELD_NOT_A_NUMBER)
    return `the address is not valid: ${addressReason(address, -code, limits)}`;
  return "unknown code";
}
