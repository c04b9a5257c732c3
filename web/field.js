// The page's side of the web platform, linked into the module: the registry of the
// elements that show controls (an <input> and its drop-down <button>) and the event
// listeners that hand the user's keys, clipboard, focus and clicks to the library.
Module.entryboxDom = [];

/// Registers an <input> (and a <button>, or null) and returns its number. `options`:
/// onEvent(name, a, b) receives the control's events, onError(message) the errors the
/// control raised while handling the user's input.
Module.entryboxAttach = function (input, button, options) {
  const element = Module.entryboxDom.length;
  const entry = Object.assign({ input: input, button: button }, options || {});
  Module.entryboxDom.push(entry);
  const report = function () {
    if (entry.keepErrors) return;
    const message = Module.fieldTakeError(element);
    if (message && entry.onError) entry.onError(message);
  };
  const key = function (e) {
    return [element, e.keyCode, e.key || "", e.shiftKey, e.ctrlKey, e.altKey];
  };
  // Outcomes of fieldKeyDown: 0 the field acted, 1 the browser's key, 2 a clipboard key.
  input.addEventListener("keydown", function (e) {
    if (e.isComposing || e.keyCode === 229) return;  // an input method's key
    const outcome = Module.fieldKeyDown.apply(null, key(e));
    report();
    if (outcome === 0) e.preventDefault();
    if (outcome === 0 && e.keyCode === 13 && entry.onEnter) entry.onEnter();
  });
  input.addEventListener("keyup", function (e) {
    if (e.isComposing || e.keyCode === 229) return;
    Module.fieldKeyUp.apply(null, key(e));
    report();
  });
  // A keypress reaches here only for a character sent without a keydown: the field
  // cancels the keydowns it handles, and with them their keypress.
  input.addEventListener("keypress", function (e) {
    e.preventDefault();
    Module.fieldKeyPress(element, e.charCode || e.keyCode);
    report();
  });
  input.addEventListener("beforeinput", function (e) {
    if (e.isComposing || e.inputType === "insertCompositionText") return;
    if (e.inputType === "insertText" || e.inputType === "insertReplacementText") {
      e.preventDefault();
      Module.fieldInsert(element, e.data || (e.dataTransfer && e.dataTransfer.getData("text/plain")) || "");
      report();
    } else if (e.inputType === "deleteContentBackward") {
      e.preventDefault();
      Module.fieldInsert(element, "\b");
      report();
    } else if (e.inputType === "insertFromDrop" || e.inputType === "deleteByDrag") {
      e.preventDefault();  // dragging text in or out is not supported
    }
  });
  input.addEventListener("compositionend", function () {
    // The composed text is in the element now: the field adopts it with its next event.
    Module.fieldInput(element);
    report();
  });
  input.addEventListener("paste", function (e) {
    e.preventDefault();
    const text = e.clipboardData ? e.clipboardData.getData("text/plain") : "";
    Module.fieldPaste(element, text);
    report();
  });
  const copy = function (cut) {
    return function (e) {
      e.preventDefault();
      const text = Module.fieldCopy(element, cut);
      report();
      if (text !== null && e.clipboardData) e.clipboardData.setData("text/plain", text);
    };
  };
  input.addEventListener("copy", copy(false));
  input.addEventListener("cut", copy(true));
  input.addEventListener("focus", function () {
    Module.fieldFocus(element);
    report();
  });
  input.addEventListener("blur", function () {
    Module.fieldBlur(element);
    report();
  });
  input.addEventListener("click", function () {
    Module.fieldClick(element);
    report();
  });
  input.addEventListener("dblclick", function () {
    Module.fieldDblClick(element);
    report();
  });
  if (button) {
    button.addEventListener("mousedown", function (e) {
      e.preventDefault();  // the field keeps the focus
    });
    button.addEventListener("click", function () {
      Module.buttonClick(element);
      report();
    });
  }
  return element;
};

/// Forgets a registered element (its control is gone).
Module.entryboxDetach = function (element) {
  Module.entryboxDom[element] = null;
};
