// The page's dialogs as the window's: modal, Enter presses OK, Esc and
// Отмена change nothing, and a wrong value keeps the dialog open.

// A dialog of a menu's command; closed, it gives the focus back to that
// menu's title, the command itself being hidden with its menu. A box that
// takes the focus has its text selected, as the window's boxes have.
export function showFromMenu(dialog, command) {
  dialog.showModal();
  document.activeElement.select?.();
  dialog.addEventListener('close', () => setTimeout(() => {  // once the browser has moved the focus
    if (document.activeElement === document.body) command.closest('details').querySelector('summary').focus();
  }), { once: true });
}

// The command opens the dialog with fill(); its OK asks take(), which answers
// null when it took the values, else {box, refusal} of the first wrong one:
// the reason shows in the dialog's problem line and the box's text is
// selected. Once the values are taken, the dialog closes and taken() follows.
export function connectDialog(command, dialog, fill, take, taken) {
  const problem = dialog.querySelector('.problem');
  command.addEventListener('click', () => {
    fill();
    problem.textContent = '';
    showFromMenu(dialog, command);
  });
  dialog.querySelector('form').addEventListener('submit', async (event) => {
    if (event.submitter?.value !== 'ok') return;
    event.preventDefault();
    const wrong = await take();
    if (wrong) {
      problem.textContent = wrong.refusal ?? '';
      wrong.box.focus();
      wrong.box.select();
      return;
    }
    dialog.close();
    taken();
  });
}

// Enter in a dialog presses its OK from a list or a check box too, not only from a box.
export function enterPressesOk(dialogs) {
  for (const dialog of dialogs) {
    const ok = dialog.querySelector('button[value=ok]');
    if (!ok) continue;
    dialog.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' || !['SELECT', 'INPUT'].includes(event.target.tagName) || event.target.type === 'text') return;
      event.preventDefault();
      dialog.querySelector('form').requestSubmit(ok);
    });
  }
}
